// A 64-bit hash of a file's bytes, to tell a file that holds exactly the bytes read last time.
#pragma once

#include <cstddef>
#include <cstdint>

// xxHash's XXH3 (64 bits, seed 0) of `size` bytes. Two different files hash alike with a chance of about 2^-64,
// unless someone makes them so on purpose: XXH3 is fast, not a cryptographic hash.
uint64_t HashBytes(const void* data, size_t size);
