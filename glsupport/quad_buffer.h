// The full-frame quad and the one set-up of a vertex array that draws quads from a single buffer.
#pragma once

#include <cstdint>

namespace glsupport {

// One vertex as it lies in a quad buffer: the texture coordinate (attribute 1) first, then the device
// position (attribute 0).
struct QuadVertex {
  float u = 0.0f;
  float v = 0.0f;
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

static_assert(sizeof(QuadVertex) == 20, "a quad buffer holds 20 bytes per vertex");

// Vertices of one quad: two triangles, top-left, top-right, bottom-left and bottom-left, top-right, bottom-right.
constexpr int kQuadVertexCount = 6;
// Bytes of one quad in a buffer.
constexpr int kQuadBytes = kQuadVertexCount * static_cast<int>(sizeof(QuadVertex));

// Two triangles covering the whole clip space, texture coordinate (0, 0) at the bottom-left corner.
inline constexpr QuadVertex kFullFrameQuad[kQuadVertexCount] = {
    {0.0f, 1.0f, -1.0f, 1.0f, 0.0f},  {1.0f, 1.0f, 1.0f, 1.0f, 0.0f}, {0.0f, 0.0f, -1.0f, -1.0f, 0.0f},
    {0.0f, 0.0f, -1.0f, -1.0f, 0.0f}, {1.0f, 1.0f, 1.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 1.0f, -1.0f, 0.0f}};

// Generates a vertex array and a buffer, fills the buffer with the full-frame quad under the given usage and
// points attribute 0 (position) and 1 (texture coordinate) at it; both are unbound again. False, with both
// names 0 and nothing kept, when the GL hands out no name.
bool CreateQuadBuffer(uint32_t& vertexArray, uint32_t& buffer, uint32_t usage);

// Deletes the buffer, then the vertex array, each only if it exists, and zeroes both names.
void ReleaseQuadBuffer(uint32_t& vertexArray, uint32_t& buffer);

}  // namespace glsupport
