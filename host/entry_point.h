// The dispatcher behind plugMain: function codes onto the prototype, the instances and the registry.
#pragma once

#include <cstdint>

// Runs one function code. May throw; the exported glue catches.
uint64_t DispatchFunctionCode(uint32_t code, uint64_t input, void* instance);

// The value that stands for failure of a code (all 64 bits for codes 7 and 18, null for name codes).
uint64_t FailureValueOf(uint32_t code);
