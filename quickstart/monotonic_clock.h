// Platform seam: the monotonic high-resolution clock.
#pragma once

#include <cstdint>

namespace quickstart {

// Converts a performance-counter reading to nanoseconds without overflowing the product; 0 for a
// frequency that is not positive.
int64_t CounterToNanoseconds(int64_t counter, int64_t frequency);

// Nanoseconds on the platform's monotonic clock (the performance counter on Windows).
int64_t MonotonicNanoseconds();

}  // namespace quickstart
