// Platform seam: the nondeterministic random source.
#pragma once

#include <cstdint>

namespace quickstart {

// One 32-bit seed from the platform's nondeterministic random source.
uint32_t NondeterministicSeed();

}  // namespace quickstart
