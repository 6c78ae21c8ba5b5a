// The entry point linked into a test program (the host objects and the product's binding built in), called
// through the host's side of plugMain like a loaded module.
#pragma once

#include "effect/qm_plugin.h"
#include "tools/caller/plugin_calls.h"

// input: an index or a record of the caller's valid during the call; instance: one that code 18 returned.
extern "C" uint64_t plugMain(uint32_t functionCode, uint64_t input, void* instance);

namespace testsupport {

// Calls onto the linked-in plugMain.
inline const caller::PluginCalls& InProcess() {
  static const caller::PluginCalls calls(plugMain);
  return calls;
}

// An instance made through the linked-in plugMain (code 18): the handle a host keeps, and the effect behind it.
struct InProcessEffect {
  void* handle = nullptr;     // null when code 18 failed
  QmPlugin* effect = nullptr;  // null unless the handle is an effect; the module's until code 19 ends it
};

// Instantiates with the viewport (read during the call); both fields null when code 18 fails.
inline InProcessEffect InstantiateEffect(const ViewportRecord& viewport) {
  void* handle = InProcess().Instantiate(&viewport);
  if (!handle) return {};
  return {handle, dynamic_cast<QmPlugin*>(static_cast<CHostPlugin*>(handle))};
}

}  // namespace testsupport
