#include "quickstart/random_source.h"

#include <random>

namespace quickstart {

uint32_t NondeterministicSeed() {
  std::random_device source;
  return static_cast<uint32_t>(source());
}

}  // namespace quickstart
