// The clocks the benchmarks time their calls with (Linux).
#pragma once

#include <time.h>

namespace benchclock {

inline double SecondsOf(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU time of the calling thread: other threads (the GL driver's rasterisers among them) and time spent
// descheduled by other work on the machine are not counted.
inline double ThreadSeconds() { return SecondsOf(CLOCK_THREAD_CPUTIME_ID); }

// Time of the monotonic clock, as a wall clock counts it.
inline double WallSeconds() { return SecondsOf(CLOCK_MONOTONIC); }

}  // namespace benchclock
