// A binding for tests that link the host interface directly: no effect, no GL.
#include "host/host_plugin.h"
#include "host/module_binding.h"

namespace {
constexpr ModuleIdentity identity{"QM01", "A Sixteen Chars!", 0, 1, 0, "d", "a"};
}

const ModuleIdentity& ModuleIdentityOfThisModule() { return identity; }
uint32_t CreateModuleInstance(CHostPlugin** slot) {
  *slot = new CHostPlugin();
  return kStatusSuccess;
}
bool IsGLContextCurrent() { return false; }
bool LoadGLEntryPoints() { return false; }
