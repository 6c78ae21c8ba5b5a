// Live GL objects by kind in the current context, the way a leak of a module's objects would show.
#pragma once

#include <algorithm>
#include <ostream>

#include "glsupport/gl.h"

namespace testsupport {

struct GlObjectCount {
  int programs = 0, shaders = 0, buffers = 0, vertexArrays = 0, textures = 0, framebuffers = 0;
  bool operator==(const GlObjectCount& o) const {
    return programs == o.programs && shaders == o.shaders && buffers == o.buffers &&
           vertexArrays == o.vertexArrays && textures == o.textures && framebuffers == o.framebuffers;
  }
};

inline std::ostream& operator<<(std::ostream& out, const GlObjectCount& c) {
  return out << "programs " << c.programs << ", shaders " << c.shaders << ", buffers " << c.buffers
             << ", vertex arrays " << c.vertexArrays << ", textures " << c.textures << ", framebuffers "
             << c.framebuffers;
}

// Counts over every name handed out so far: the driver gives out rising names, so fresh objects of each
// kind bound the names in use.
inline GlObjectCount CountGlObjects() {
  GLuint highestBuffer = 0, highestArray = 0, highestTexture = 0, highestFramebuffer = 0;
  glGenBuffers(1, &highestBuffer);
  glGenVertexArrays(1, &highestArray);
  glGenTextures(1, &highestTexture);
  glGenFramebuffers(1, &highestFramebuffer);
  const GLuint highestProgram = glCreateProgram();
  const GLuint highest = std::max({highestBuffer, highestArray, highestTexture, highestFramebuffer, highestProgram});
  glDeleteBuffers(1, &highestBuffer);
  glDeleteVertexArrays(1, &highestArray);
  glDeleteTextures(1, &highestTexture);
  glDeleteFramebuffers(1, &highestFramebuffer);
  glDeleteProgram(highestProgram);
  GlObjectCount count;
  for (GLuint name = 1; name < highest; ++name) {
    count.programs += glIsProgram(name) ? 1 : 0;
    count.shaders += glIsShader(name) ? 1 : 0;
    count.buffers += glIsBuffer(name) ? 1 : 0;
    count.vertexArrays += glIsVertexArray(name) ? 1 : 0;
    count.textures += glIsTexture(name) ? 1 : 0;
    count.framebuffers += glIsFramebuffer(name) ? 1 : 0;
  }
  return count;
}

}  // namespace testsupport
