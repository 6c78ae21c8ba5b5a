// What a MinGW-built module brings of its own C++ runtime so that unloading it gives everything back: emulated
// thread-locals, static-initialisation guards and run-once calls over Win32 primitives, released at unload.
#pragma once

namespace module_runtime {

// Frees every thread's thread-local storage and the thread-local slot; only once no code of the module runs.
void ReleaseThreadLocals();
// Frees the storage of the calling thread only (it is leaving while the module stays).
void ReleaseCallingThreadLocals();

}  // namespace module_runtime
