#include "effect/quad_upload.h"

#include <cstring>

#include "glsupport/gl.h"

bool CreateQuadBuffers(QuadGeometry& geometry) {
  return glsupport::CreateQuadBuffer(geometry.vao, geometry.vbo, GL_DYNAMIC_DRAW);
}

void ReleaseQuadBuffers(QuadGeometry& geometry) { glsupport::ReleaseQuadBuffer(geometry.vao, geometry.vbo); }

bool UploadQuad(const QuadGeometry& geometry, const QuadVertex (&vertices)[6]) {
  if (geometry.vbo == 0) return false;
  glBindBuffer(GL_ARRAY_BUFFER, geometry.vbo);
  return UploadToBoundBuffer(vertices);
}

bool UploadToBoundBuffer(const QuadVertex (&vertices)[6]) {
  void* target =
      glMapBufferRange(GL_ARRAY_BUFFER, 0, kQuadBytes, GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT);
  if (target == nullptr) return false;
  std::memcpy(target, vertices, kQuadBytes);
  return glUnmapBuffer(GL_ARRAY_BUFFER) == GL_TRUE;
}

bool KeepAndUpload(const QuadResult& quad, QuadGeometry& geometry) {
  if (!quad.ok()) return false;
  std::memcpy(geometry.vertices, quad.vertices, sizeof(geometry.vertices));
  return UploadToBoundBuffer(geometry.vertices);
}

bool ComputeQuad(const QuadInput& input, const std::vector<SliceRecord>& slices, QuadGeometry& geometry) {
  const QuadResult result = ComputeQuadVertices(input, slices);
  if (!result.ok() || geometry.vbo == 0) return false;
  glBindBuffer(GL_ARRAY_BUFFER, geometry.vbo);
  return KeepAndUpload(result, geometry);
}
