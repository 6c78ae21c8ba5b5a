#include "glsupport/screen_quad.h"

#include "glsupport/gl.h"
#include "glsupport/scoped_bindings.h"

namespace glsupport {

const std::array<float, ScreenQuad::kFloatsPerVertex * ScreenQuad::kVertexCount> ScreenQuad::kVertices = {
    0, 1, -1, 1,  0,  //
    1, 1, 1,  1,  0,  //
    0, 0, -1, -1, 0,  //
    0, 0, -1, -1, 0,  //
    1, 1, 1,  1,  0,  //
    1, 0, 1,  -1, 0,
};

namespace {
constexpr GLsizei kStride = ScreenQuad::kFloatsPerVertex * sizeof(float);
constexpr size_t kPositionOffset = 2 * sizeof(float);
constexpr size_t kTexCoordOffset = 0;
}  // namespace

bool ScreenQuad::Initialise() {
  Release();
  glGenVertexArrays(1, &vertexArrayName);
  glGenBuffers(1, &bufferName);
  if (vertexArrayName == 0 || bufferName == 0) {
    Release();
    return false;
  }
  ScopedVAOBinding vertexArrayScope(vertexArrayName);
  ScopedVBOBinding bufferScope(bufferName);
  glBufferData(GL_ARRAY_BUFFER, sizeof(float) * kVertices.size(), kVertices.data(), GL_STATIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, kStride, reinterpret_cast<const void*>(kPositionOffset));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, kStride, reinterpret_cast<const void*>(kTexCoordOffset));
  bufferScope.EndScope();
  vertexArrayScope.EndScope();
  return true;
}

void ScreenQuad::Draw() const {
  if (vertexArrayName == 0 || bufferName == 0) return;
  ScopedVAOBinding vertexArrayScope(vertexArrayName);
  glDrawArrays(GL_TRIANGLES, 0, kVertexCount);
}

void ScreenQuad::Release() {
  if (bufferName != 0) glDeleteBuffers(1, &bufferName);
  bufferName = 0;
  if (vertexArrayName != 0) glDeleteVertexArrays(1, &vertexArrayName);
  vertexArrayName = 0;
}

}  // namespace glsupport
