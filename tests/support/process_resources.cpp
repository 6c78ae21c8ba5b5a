#include "tests/support/process_resources.h"

#include <filesystem>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <malloc.h>
#include <pthread.h>
#include <unistd.h>
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

long long NextHandleNumber() {
#if defined(_WIN32)
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const long long number = reinterpret_cast<long long>(event);
  CloseHandle(event);
#else
  const int descriptor = open("/dev/null", O_RDONLY | O_CLOEXEC);
  const long long number = descriptor;
  if (descriptor >= 0) close(descriptor);
#endif
  return number;
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
