#include "effect/quad_upload.h"

#include <cstddef>
#include <cstring>

#include "glsupport/gl.h"
#include "glsupport/scoped_bindings.h"

bool CreateQuadBuffers(QuadGeometry& geometry) {
  glGenVertexArrays(1, &geometry.vao);
  glGenBuffers(1, &geometry.vbo);
  if (geometry.vao == 0 || geometry.vbo == 0) {
    ReleaseQuadBuffers(geometry);
    return false;
  }
  glsupport::ScopedVAOBinding vertexArrayScope(geometry.vao);
  glsupport::ScopedVBOBinding bufferScope(geometry.vbo);
  glBufferData(GL_ARRAY_BUFFER, kQuadBytes, kFullFrameQuad, GL_DYNAMIC_DRAW);
  const GLsizei stride = sizeof(QuadVertex);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(QuadVertex, x)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(QuadVertex, u)));
  bufferScope.EndScope();
  vertexArrayScope.EndScope();
  return true;
}

void ReleaseQuadBuffers(QuadGeometry& geometry) {
  if (geometry.vbo != 0) glDeleteBuffers(1, &geometry.vbo);
  geometry.vbo = 0;
  if (geometry.vao != 0) glDeleteVertexArrays(1, &geometry.vao);
  geometry.vao = 0;
}

bool UploadQuad(const QuadGeometry& geometry, const QuadVertex (&vertices)[6]) {
  if (geometry.vbo == 0) return false;
  glBindBuffer(GL_ARRAY_BUFFER, geometry.vbo);
  void* target =
      glMapBufferRange(GL_ARRAY_BUFFER, 0, kQuadBytes, GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT);
  if (target == nullptr) return false;
  std::memcpy(target, vertices, kQuadBytes);
  return glUnmapBuffer(GL_ARRAY_BUFFER) == GL_TRUE;
}

bool ComputeQuad(const QuadInput& input, const std::vector<SliceRecord>& slices, QuadGeometry& geometry) {
  const QuadResult result = ComputeQuadVertices(input, slices);
  if (!result.ok()) return false;
  std::memcpy(geometry.vertices, result.vertices, sizeof(geometry.vertices));
  return UploadQuad(geometry, geometry.vertices);
}
