// The program sources of a test that links the effect: the stored ones, unless the test replaces them.
#pragma once

#include "effect/shader_sources.h"

namespace testsupport {

// Test-owned texts that InitGL builds from instead of the stored ones while set; null by default.
extern const EffectSources* replacedProgramSources;

}  // namespace testsupport
