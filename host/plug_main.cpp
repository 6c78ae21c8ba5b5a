// The module's only export: casts, dispatches, and keeps every exception on this side of the ABI.
#include "host/entry_point.h"
#include "host/plugin_abi.h"

// input: an index or a host-owned record valid during the call; instance: from code 18, or null.
MOSARO_EXPORT uint64_t plugMain(uint32_t functionCode, uint64_t input, void* instance) {
  try {
    return DispatchFunctionCode(functionCode, input, instance);
  } catch (...) {
    return FailureValueOf(functionCode);
  }
}
