// What a module must hand back after each frame: no GL error, and the context as the host left it.
#pragma once

#include <string>
#include <vector>

#include "glsupport/host_gl.h"

namespace testsupport {

// How the current context differs from how the host left it before a frame: no GL error, blending off with its
// default factors, no program, vertex array or array buffer bound, unit 0 active with no texture, the host's
// framebuffer and viewport. One text a difference; empty when there is none.
inline std::vector<std::string> ContextChangesSinceTheHostLeftIt(GLint framebuffer, GLint width, GLint height) {
  struct Expected {
    GLenum name;
    GLint value;
    const char* what;
  };
  const Expected expected[] = {
      {GL_CURRENT_PROGRAM, 0, "program"},
      {GL_VERTEX_ARRAY_BINDING, 0, "vertex array"},
      {GL_ARRAY_BUFFER_BINDING, 0, "array buffer"},
      {GL_ACTIVE_TEXTURE, GL_TEXTURE0, "active texture unit"},
      {GL_TEXTURE_BINDING_2D, 0, "texture of unit 0"},
      {GL_BLEND_SRC_RGB, GL_ONE, "blend source"},
      {GL_BLEND_DST_RGB, GL_ZERO, "blend destination"},
      {GL_BLEND_SRC_ALPHA, GL_ONE, "blend source alpha"},
      {GL_BLEND_DST_ALPHA, GL_ZERO, "blend destination alpha"},
      {GL_DRAW_FRAMEBUFFER_BINDING, framebuffer, "framebuffer"},
  };
  std::vector<std::string> changes;
  if (const GLenum error = glGetError(); error != GL_NO_ERROR) changes.push_back("GL error " + std::to_string(error));
  if (glIsEnabled(GL_BLEND)) changes.push_back("blending left on");
  for (const Expected& e : expected) {
    GLint value = -1;
    glGetIntegerv(e.name, &value);
    if (value != e.value)
      changes.push_back(std::string(e.what) + " is " + std::to_string(value) + ", expected " + std::to_string(e.value));
  }
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  if (viewport[0] != 0 || viewport[1] != 0 || viewport[2] != width || viewport[3] != height)
    changes.push_back("viewport changed");
  return changes;
}

// The changes as one line.
inline std::string Joined(const std::vector<std::string>& changes) {
  std::string text;
  for (const std::string& change : changes) text += (text.empty() ? "" : "; ") + change;
  return text;
}

}  // namespace testsupport
