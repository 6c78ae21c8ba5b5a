// Emulated thread-locals for MinGW modules. The compiler turns every thread_local (also those in the C++
// runtime: the exception state, std::call_once) into calls of __emutls_get_address. The runtime's own version
// keeps its storage under a thread-local slot of the threads library that is never given back, so each load
// and unload cost the host process one of its slots and the storage. This one keeps one Win32 slot, taken at
// the first use and given back, with every thread's storage, when the module is unloaded.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/module_runtime_windows.h"

namespace {

// The compiler's record of one thread_local: its size, alignment, index (0 until first used) and initial bytes.
struct EmulatedObject {
  uintptr_t size;
  uintptr_t align;
  uintptr_t index;
  const void* initialBytes;  // null: zero-filled
};

// One thread's storage: an object pointer per index, in a list of all threads' storage.
struct ThreadStorage {
  ThreadStorage* next;
  ThreadStorage* previous;
  uintptr_t capacity;
  void* objects[1];
};

SRWLOCK lock = SRWLOCK_INIT;
DWORD slot = TLS_OUT_OF_INDEXES;
uintptr_t objectCount = 0;
ThreadStorage* allStorage = nullptr;

void Unlink(ThreadStorage* storage) {
  if (storage->previous) {
    storage->previous->next = storage->next;
  } else {
    allStorage = storage->next;
  }
  if (storage->next) storage->next->previous = storage->previous;
}

void Free(ThreadStorage* storage) {
  for (uintptr_t i = 0; i < storage->capacity; ++i) _aligned_free(storage->objects[i]);
  std::free(storage);
}

uintptr_t IndexOf(EmulatedObject* object) {
  uintptr_t index = __atomic_load_n(&object->index, __ATOMIC_ACQUIRE);
  if (index != 0) return index;
  AcquireSRWLockExclusive(&lock);
  if (slot == TLS_OUT_OF_INDEXES) slot = TlsAlloc();
  index = object->index;
  if (index == 0 && slot != TLS_OUT_OF_INDEXES) {
    index = ++objectCount;
    __atomic_store_n(&object->index, index, __ATOMIC_RELEASE);
  }
  ReleaseSRWLockExclusive(&lock);
  if (index == 0) std::abort();  // the process has no slot left: nothing can be stored per thread
  return index;
}

// The calling thread's storage with room for the index, grown (and listed) when needed.
ThreadStorage* StorageFor(uintptr_t index) {
  auto* storage = static_cast<ThreadStorage*>(TlsGetValue(slot));
  if (storage && storage->capacity >= index) return storage;
  const uintptr_t capacity = index + 16;
  auto* grown = static_cast<ThreadStorage*>(std::calloc(1, sizeof(ThreadStorage) + capacity * sizeof(void*)));
  if (!grown) std::abort();
  grown->capacity = capacity;
  AcquireSRWLockExclusive(&lock);
  if (storage) {
    std::memcpy(grown->objects, storage->objects, storage->capacity * sizeof(void*));
    Unlink(storage);
    std::free(storage);
  }
  grown->next = allStorage;
  if (allStorage) allStorage->previous = grown;
  allStorage = grown;
  ReleaseSRWLockExclusive(&lock);
  TlsSetValue(slot, grown);
  return grown;
}

void* NewObject(const EmulatedObject* object) {
  const uintptr_t align = object->align < sizeof(void*) ? sizeof(void*) : object->align;
  void* bytes = _aligned_malloc(object->size ? object->size : 1, align);
  if (!bytes) std::abort();
  if (object->initialBytes) {
    std::memcpy(bytes, object->initialBytes, object->size);
  } else {
    std::memset(bytes, 0, object->size);
  }
  return bytes;
}

}  // namespace

// The calling thread's copy of the thread_local described by the compiler's record.
extern "C" void* __emutls_get_address(void* record) {
  auto* object = static_cast<EmulatedObject*>(record);
  const uintptr_t index = IndexOf(object);
  void*& bytes = StorageFor(index)->objects[index - 1];
  if (!bytes) bytes = NewObject(object);
  return bytes;
}

// Merges a common (tentatively defined) thread_local's size, alignment and initial bytes into its record.
extern "C" void __emutls_register_common(void* record, unsigned long long size, unsigned long long align,
                                         void* initialBytes) {
  auto* object = static_cast<EmulatedObject*>(record);
  if (object->size < size) {
    object->size = size;
    object->initialBytes = nullptr;
  }
  if (object->align < align) object->align = align;
  if (initialBytes && size == object->size) object->initialBytes = initialBytes;
}

namespace module_runtime {

void ReleaseCallingThreadLocals() {
  if (slot == TLS_OUT_OF_INDEXES) return;
  auto* storage = static_cast<ThreadStorage*>(TlsGetValue(slot));
  if (!storage) return;
  TlsSetValue(slot, nullptr);
  AcquireSRWLockExclusive(&lock);
  Unlink(storage);
  ReleaseSRWLockExclusive(&lock);
  Free(storage);
}

void ReleaseThreadLocals() {
  AcquireSRWLockExclusive(&lock);
  while (allStorage) {
    ThreadStorage* storage = allStorage;
    allStorage = storage->next;
    Free(storage);
  }
  if (slot != TLS_OUT_OF_INDEXES) TlsFree(slot);
  slot = TLS_OUT_OF_INDEXES;
  ReleaseSRWLockExclusive(&lock);
}

}  // namespace module_runtime
