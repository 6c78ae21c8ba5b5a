#include "tests/support/process_resources.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <malloc.h>
#include <pthread.h>
#endif

#if MOSARO_UNDER_ASAN
// Bytes the sanitizer's allocator has handed out and not taken back (freed blocks in quarantine excluded).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace testsupport {

size_t HeapBytesInUse() {
#if MOSARO_UNDER_ASAN
  return __sanitizer_get_current_allocated_bytes();
#elif defined(_WIN32)
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  size_t busy = 0;
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
    }
    HeapUnlock(heap);
  }
  return busy;
#else
  return mallinfo2().uordblks;
#endif
}

size_t FreeThreadSlots() {
#if defined(_WIN32)
  std::vector<DWORD> taken;
  for (DWORD slot = TlsAlloc(); slot != TLS_OUT_OF_INDEXES; slot = TlsAlloc()) taken.push_back(slot);
  for (DWORD slot : taken) TlsFree(slot);
#else
  std::vector<pthread_key_t> taken;
  for (pthread_key_t key; pthread_key_create(&key, nullptr) == 0;) taken.push_back(key);
  for (pthread_key_t key : taken) pthread_key_delete(key);
#endif
  return taken.size();
}

OpenHandles OpenHandlesNow() {
  OpenHandles open;
#if defined(_WIN32)
  // Handle values are multiples of 4, the lowest free one given first: past a long run of unused ones come no more.
  constexpr int kMissesPastTheLast = 4096;
  DWORD flags = 0;
  for (uintptr_t value = 4, misses = 0; misses < kMissesPastTheLast; value += 4) {
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
      open.emplace(static_cast<long long>(value), std::string());
      misses = 0;
    } else {
      ++misses;
    }
  }
#else
  DIR* folder = opendir("/proc/self/fd");
  if (!folder) return open;
  const int listing = dirfd(folder);
  while (const dirent* entry = readdir(folder)) {
    char* end = nullptr;
    const long descriptor = std::strtol(entry->d_name, &end, 10);
    if (end == entry->d_name || *end != '\0' || descriptor == listing) continue;
    std::error_code error;
    open.emplace(descriptor, std::filesystem::read_symlink(std::filesystem::path("/proc/self/fd") / entry->d_name,
                                                            error).string());
  }
  closedir(folder);
#endif
  return open;
}

std::string HandlesOpened(const OpenHandles& before, const OpenHandles& after) {
  std::string cacheFolder;
  if (const char* cache = std::getenv("MESA_SHADER_CACHE_DIR"); cache && *cache) {
    std::error_code error;
    cacheFolder = std::filesystem::weakly_canonical(cache, error).string() + "/";
  }
  std::string opened;
  for (const auto& [number, path] : after) {
    const auto was = before.find(number);
    if (was != before.end() && was->second == path) continue;
    if (cacheFolder.size() > 1 && path.rfind(cacheFolder, 0) == 0) continue;
    opened += std::to_string(number) + " " + path + "\n";
  }
  return opened;
}

bool KeepImportsLoaded(const std::string& modulePath) {
#if defined(_WIN32)
  HMODULE module = LoadLibraryW(std::filesystem::u8path(modulePath).c_str());
  if (!module) return false;
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress != 0) {
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry)
      LoadLibraryA(reinterpret_cast<const char*>(base + entry->Name));
  }
  FreeLibrary(module);
  return true;
#else
  (void)modulePath;
  return true;
#endif
}

}  // namespace testsupport
