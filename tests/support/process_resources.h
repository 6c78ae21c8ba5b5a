// What a process holds that a module might keep after it is gone: heap bytes in use, free thread-local slots
// and handles, counted the same way before and after, so that a test can demand they stay flat.
#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace testsupport {

// Whether the GL driver keeps what it compiles, until its context goes, in the heap HeapBytesInUse counts: Mesa
// on Linux does (some 450 KB an instance of the effect); under wine it runs on the host system's side.
#if defined(_WIN32)
constexpr bool kDriverSharesTheHeap = false;
#else
constexpr bool kDriverSharesTheHeap = true;
#endif

// Whether AddressSanitizer watches this build: its hooks on the system's loader keep about 1 KB of heap for each
// library loaded and unloaded, and make each load some ten times slower.
#if defined(__SANITIZE_ADDRESS__)
#define MOSARO_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MOSARO_UNDER_ASAN 1
#endif
#endif
#if !defined(MOSARO_UNDER_ASAN)
#define MOSARO_UNDER_ASAN 0
#endif
constexpr bool kUnderAddressSanitizer = MOSARO_UNDER_ASAN;

// Heap bytes in use: the sanitizer's allocator when there is one, else the C library's (Linux; blocks freed into
// its per-thread caches count as in use unless GLIBC_TUNABLES sets glibc.malloc.tcache_count=0) or every heap of
// the process (Windows).
size_t HeapBytesInUse();

// The thread-local slots still free in this process: pthread keys on Linux, TLS indices on Windows (each taken
// and given back again to count it).
size_t FreeThreadSlots();

// The handles (Windows) or file descriptors (Linux) open in this process, by number, each with the path it
// refers to where the system tells (Linux) or empty.
using OpenHandles = std::map<long long, std::string>;
OpenHandles OpenHandlesNow();

// The handles open in after that were not open, to the same path, in before, one "number path" line each; empty
// when none. Handles closed since are not counted, nor the GL driver's shader-cache files, which it writes from a
// thread of its own while a test that turns the cache on measures.
std::string HandlesOpened(const OpenHandles& before, const OpenHandles& after);

// Loads, for the rest of the process, the libraries that the module at path imports (none on Linux, where the
// module links none that its host lacks), as a host that draws video already has them; false when the module
// cannot be loaded.
bool KeepImportsLoaded(const std::string& modulePath);

}  // namespace testsupport
