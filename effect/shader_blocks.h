// The scrambled shader blocks and key material, generated at build time from effect/shaders/*.glsl.
#pragma once

#include <cstdint>

// Lengths of the stored blocks in bytes; each source is padded with blanks to its length.
constexpr int32_t kLayerVertexLength = 206;
constexpr int32_t kLayerFragmentLength = 3072;
constexpr int32_t kOverlayVertexLength = 206;
constexpr int32_t kOverlayFragmentLength = 578;

// Key material of the layer program's sources.
extern const uint8_t kLayerKeyMaterial[32];
// Key material of the overlay program's sources.
extern const uint8_t kOverlayKeyMaterial[32];

// Scrambled layer vertex shader.
extern const uint8_t kLayerVertexBlock[kLayerVertexLength];
// Scrambled layer fragment shader.
extern const uint8_t kLayerFragmentBlock[kLayerFragmentLength];
// Scrambled overlay vertex shader.
extern const uint8_t kOverlayVertexBlock[kOverlayVertexLength];
// Scrambled overlay fragment shader.
extern const uint8_t kOverlayFragmentBlock[kOverlayFragmentLength];
