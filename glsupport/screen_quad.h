// Two triangles covering the whole clip space, texture coordinate (0, 0) at the bottom-left.
#pragma once

#include <cstdint>

namespace glsupport {

// Owns a vertex array and a buffer holding the full-frame quad; only Release deletes them (with the context
// current).
class ScreenQuad {
 public:
  ScreenQuad() = default;
  ScreenQuad(const ScreenQuad&) = delete;
  ScreenQuad& operator=(const ScreenQuad&) = delete;

  // Creates and fills the vertex array and buffer (releasing earlier ones); false when the GL gives no names.
  bool Initialise();
  // Draws the six vertices as triangles when both objects exist; the caller has made a program current.
  void Draw() const;
  // Deletes the buffer, then the vertex array, each only if it exists, and zeroes both names.
  void Release();

  uint32_t vertexArray() const { return vertexArrayName; }
  uint32_t buffer() const { return bufferName; }

 private:
  uint32_t vertexArrayName = 0;
  uint32_t bufferName = 0;
};

}  // namespace glsupport
