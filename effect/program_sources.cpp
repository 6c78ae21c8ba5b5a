// The product's program sources: the stored ones. Tests that build the effect from other GLSL link their
// own definition instead, so the module holds no switch for them.
#include "effect/shader_sources.h"

EffectSources ProgramSources() { return StoredSources(); }
