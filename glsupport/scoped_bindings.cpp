#include "glsupport/scoped_bindings.h"

#include "glsupport/gl.h"

namespace glsupport {

ScopedTextureBinding::ScopedTextureBinding(uint32_t textureTarget, uint32_t texture)
    : bound(true), target(textureTarget) {
  glBindTexture(target, texture);
}

ScopedTextureBinding::~ScopedTextureBinding() { EndScope(); }

void ScopedTextureBinding::EndScope() {
  if (!bound) return;
  glBindTexture(target, 0);
  bound = false;
}

Scoped2DTextureBinding::Scoped2DTextureBinding(uint32_t texture) : ScopedTextureBinding(GL_TEXTURE_2D, texture) {}

ScopedBufferBinding::ScopedBufferBinding(uint32_t bufferTarget, uint32_t buffer)
    : bound(true), target(bufferTarget) {
  glBindBuffer(target, buffer);
}

ScopedBufferBinding::~ScopedBufferBinding() { EndScope(); }

void ScopedBufferBinding::EndScope() {
  if (!bound) return;
  glBindBuffer(target, 0);
  bound = false;
}

ScopedVBOBinding::ScopedVBOBinding(uint32_t buffer) : ScopedBufferBinding(GL_ARRAY_BUFFER, buffer) {}

ScopedShaderBinding::ScopedShaderBinding(uint32_t program) : bound(true) { glUseProgram(program); }

ScopedShaderBinding::~ScopedShaderBinding() { EndScope(); }

void ScopedShaderBinding::EndScope() {
  if (!bound) return;
  glUseProgram(0);
  bound = false;
}

ScopedVAOBinding::ScopedVAOBinding(uint32_t vertexArray) : bound(true) { glBindVertexArray(vertexArray); }

ScopedVAOBinding::~ScopedVAOBinding() { EndScope(); }

void ScopedVAOBinding::EndScope() {
  if (!bound) return;
  glBindVertexArray(0);
  bound = false;
}

ScopedActiveTextureUnit::ScopedActiveTextureUnit(uint32_t unit) : bound(true) { glActiveTexture(GL_TEXTURE0 + unit); }

ScopedActiveTextureUnit::~ScopedActiveTextureUnit() { EndScope(); }

void ScopedActiveTextureUnit::EndScope() {
  if (!bound) return;
  glActiveTexture(GL_TEXTURE0);
  bound = false;
}

}  // namespace glsupport
