// A MinGW module's unload: once the C++ runtime has run the module's static destructors, the thread-local
// storage and the runtime's emergency exception pool are freed, so that loading and unloading the module any
// number of times costs the host process nothing.
#include <windows.h>

#include <cstdlib>

#include "host/module_runtime_windows.h"

namespace __gnu_cxx {
void __freeres() noexcept;  // frees the C++ runtime's emergency exception pool
}

namespace {

bool unloading = false;  // FreeLibrary, not the end of the process (where other threads may still run)

void ReleaseRuntime() {
  if (!unloading) return;
  module_runtime::ReleaseThreadLocals();
  __gnu_cxx::__freeres();
}

// Registered before any other static is made, so it runs after every static destructor.
__attribute__((constructor(101))) void ReleaseRuntimeLast() { std::atexit(ReleaseRuntime); }

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_THREAD_DETACH) module_runtime::ReleaseCallingThreadLocals();
  if (reason == DLL_PROCESS_DETACH) unloading = reserved == nullptr;
  return TRUE;
}
