#include "quickstart/monotonic_clock.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <time.h>
#endif

namespace quickstart {

namespace {
constexpr int64_t kNanosecondsPerSecond = 1000000000;
}

int64_t CounterToNanoseconds(int64_t counter, int64_t frequency) {
  if (frequency <= 0) return 0;
  return (counter / frequency) * kNanosecondsPerSecond + ((counter % frequency) * kNanosecondsPerSecond) / frequency;
}

int64_t MonotonicNanoseconds() {
#if defined(_WIN32)
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return CounterToNanoseconds(counter.QuadPart, frequency.QuadPart);
#else
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
#endif
}

}  // namespace quickstart
