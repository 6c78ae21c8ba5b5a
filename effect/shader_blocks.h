// The scrambled shader blocks and key material, generated at build time from effect/shaders/*.glsl.
#pragma once

#include <cstdint>

#include "effect/shader_block_lengths.h"  // generated from the table of cmake/ScrambleShaders.cmake

// Key material of the layer program's sources.
extern const uint8_t kLayerKeyMaterial[32];
// Key material of the overlay program's sources.
extern const uint8_t kOverlayKeyMaterial[32];

// Scrambled pass-through vertex shader, under the layer program's key.
extern const uint8_t kLayerVertexBlock[kLayerVertexLength];
// Scrambled layer fragment shader.
extern const uint8_t kLayerFragmentBlock[kLayerFragmentLength];
// Scrambled pass-through vertex shader, under the overlay program's key.
extern const uint8_t kOverlayVertexBlock[kOverlayVertexLength];
// Scrambled overlay fragment shader.
extern const uint8_t kOverlayFragmentBlock[kOverlayFragmentLength];
