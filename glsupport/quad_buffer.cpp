#include "glsupport/quad_buffer.h"

#include <cstddef>

#include "glsupport/gl.h"
#include "glsupport/scoped_bindings.h"

namespace glsupport {

bool CreateQuadBuffer(uint32_t& vertexArray, uint32_t& buffer, uint32_t usage) {
  glGenVertexArrays(1, &vertexArray);
  glGenBuffers(1, &buffer);
  if (vertexArray == 0 || buffer == 0) {
    ReleaseQuadBuffer(vertexArray, buffer);
    return false;
  }
  ScopedVAOBinding vertexArrayScope(vertexArray);
  ScopedVBOBinding bufferScope(buffer);
  glBufferData(GL_ARRAY_BUFFER, kQuadBytes, kFullFrameQuad, usage);
  constexpr GLsizei kStride = sizeof(QuadVertex);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, kStride, reinterpret_cast<const void*>(offsetof(QuadVertex, x)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, kStride, reinterpret_cast<const void*>(offsetof(QuadVertex, u)));
  bufferScope.EndScope();
  vertexArrayScope.EndScope();
  return true;
}

void ReleaseQuadBuffer(uint32_t& vertexArray, uint32_t& buffer) {
  if (buffer != 0) glDeleteBuffers(1, &buffer);
  buffer = 0;
  if (vertexArray != 0) glDeleteVertexArrays(1, &vertexArray);
  vertexArray = 0;
}

}  // namespace glsupport
