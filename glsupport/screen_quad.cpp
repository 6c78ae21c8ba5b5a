#include "glsupport/screen_quad.h"

#include "glsupport/gl.h"
#include "glsupport/quad_buffer.h"
#include "glsupport/scoped_bindings.h"

namespace glsupport {

bool ScreenQuad::Initialise() {
  Release();
  return CreateQuadBuffer(vertexArrayName, bufferName, GL_STATIC_DRAW);
}

void ScreenQuad::Draw() const {
  if (vertexArrayName == 0 || bufferName == 0) return;
  ScopedVAOBinding vertexArrayScope(vertexArrayName);
  glDrawArrays(GL_TRIANGLES, 0, kQuadVertexCount);
}

void ScreenQuad::Release() { ReleaseQuadBuffer(vertexArrayName, bufferName); }

}  // namespace glsupport
