// The entry point linked into a test program (the host objects and the product's binding built in), called
// through the host's side of plugMain like a loaded module.
#pragma once

#include "tools/caller/plugin_calls.h"

// input: an index or a record of the caller's valid during the call; instance: one that code 18 returned.
extern "C" uint64_t plugMain(uint32_t functionCode, uint64_t input, void* instance);

namespace testsupport {

// Calls onto the linked-in plugMain.
inline const caller::PluginCalls& InProcess() {
  static const caller::PluginCalls calls(plugMain);
  return calls;
}

}  // namespace testsupport
