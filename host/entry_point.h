// The dispatcher behind plugMain: function codes onto the prototype, the instances and the registry.
#pragma once

#include <cstdint>

#include "host/plugin_abi.h"

// Runs one function code. May throw; the exported glue catches.
uint64_t DispatchFunctionCode(uint32_t code, uint64_t input, void* instance);
