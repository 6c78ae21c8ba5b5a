#include "presets/content_hash.h"

#include <xxhash.h>

uint64_t HashBytes(const void* data, size_t size) { return XXH3_64bits(data, size); }
