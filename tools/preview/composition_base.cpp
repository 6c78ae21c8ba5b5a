#include "tools/preview/composition_base.h"

#include "glsupport/host_gl.h"

namespace preview {

bool ParseBaseMode(const std::string& text, BaseMode& mode) {
  if (text == "black") mode = BaseMode::Black;
  else if (text == "transparent") mode = BaseMode::Transparent;
  else if (text == "input") mode = BaseMode::Input;
  else return false;
  return true;
}

void UseLinearFiltering(uint32_t texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glBindTexture(GL_TEXTURE_2D, 0);
}

void FillBase(BaseMode mode, const caller::RenderTarget& target, uint32_t inputTexture, int inputWidth,
              int inputHeight) {
  if (mode != BaseMode::Input) {
    target.Clear(0.0f, 0.0f, 0.0f, mode == BaseMode::Black ? 1.0f : 0.0f);
    return;
  }
  target.Bind();
  GLint drawFramebuffer = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
  GLuint source = 0;
  glGenFramebuffers(1, &source);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
  glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, inputTexture, 0);
  glBlitFramebuffer(0, 0, inputWidth, inputHeight, 0, 0, target.width(), target.height(), GL_COLOR_BUFFER_BIT,
                    GL_LINEAR);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glDeleteFramebuffers(1, &source);
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer));
}

}  // namespace preview
