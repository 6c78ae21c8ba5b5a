#include "presets/content_hash.h"

#include <cstring>

namespace {

constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;
constexpr uint64_t kPrime3 = 0x165667B19E3779F9ull;
constexpr uint64_t kPrime4 = 0x85EBCA77C2B2AE63ull;

uint64_t RotateLeft(uint64_t value, int bits) { return (value << bits) | (value >> (64 - bits)); }

uint64_t Word(const unsigned char* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

uint64_t Mix(uint64_t lane, uint64_t word) { return RotateLeft(lane + word * kPrime2, 31) * kPrime1; }

// Spreads every bit of the state over all bits of the result.
uint64_t Finish(uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDull;
  hash ^= hash >> 33;
  hash *= 0xC4CEB9FE1A85EC53ull;
  return hash ^ (hash >> 33);
}

}  // namespace

uint64_t HashBytes(const void* data, size_t size) {
  auto* bytes = static_cast<const unsigned char*>(data);
  // Four lanes take turns over the 32-byte blocks, so that their multiplications overlap.
  uint64_t lanes[4] = {kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1};
  size_t at = 0;
  for (; at + 32 <= size; at += 32)
    for (int lane = 0; lane < 4; ++lane) lanes[lane] = Mix(lanes[lane], Word(bytes + at + 8 * lane));
  uint64_t hash = RotateLeft(lanes[0], 1) + RotateLeft(lanes[1], 7) + RotateLeft(lanes[2], 12) +
                  RotateLeft(lanes[3], 18);
  for (uint64_t lane : lanes) hash = (hash ^ Mix(0, lane)) * kPrime1 + kPrime4;
  hash += static_cast<uint64_t>(size);
  for (; at + 8 <= size; at += 8) hash = RotateLeft(hash ^ Mix(0, Word(bytes + at)), 27) * kPrime1 + kPrime4;
  for (; at < size; ++at) hash = RotateLeft(hash ^ (bytes[at] * kPrime3), 11) * kPrime1;
  return Finish(hash);
}
