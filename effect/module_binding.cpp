// The product module's binding: its identity, the factory that makes QmPlugin, and the GL loader.
#include <memory>

#include "effect/qm_plugin.h"
#include "glsupport/gl_loader.h"
#include "host/module_binding.h"

namespace {
constexpr ModuleIdentity identity{"QM01",
                                  "Mosaro 2",
                                  0,
                                  1,
                                  0,
                                  "Mosaro 2 slice mapper",
                                  "Freely map your content with extra layers within a plugin"};
}  // namespace

const ModuleIdentity& ModuleIdentityOfThisModule() { return identity; }

uint32_t CreateModuleInstance(CHostPlugin** slot) {
  auto made = std::make_unique<QmPlugin>();
  *slot = made.release();
  return kStatusSuccess;
}

bool IsGLContextCurrent() { return glsupport::HasCurrentContext(); }
bool LoadGLEntryPoints() { return glsupport::LoadEntryPoints(); }
