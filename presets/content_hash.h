// A 64-bit hash of a file's bytes, to tell a file that holds exactly the bytes read last time.
#pragma once

#include <cstddef>
#include <cstdint>

// Hash of `size` bytes. Bytes that differ hash alike with a chance of about 2^-64, unless made to.
uint64_t HashBytes(const void* data, size_t size);
