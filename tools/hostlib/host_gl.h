// GL for the host library and the hosts built on it: libepoxy on Linux; on Windows a small table of the
// functions the hosts call, resolved by GlContext::Create once a context is current.
#pragma once

#if defined(_WIN32)
#include "glsupport/gl_khronos.h"

// X(pointer type, GL name) for each GL function the hosts call.
#define MOSARO_HOST_GL_FUNCTIONS(X)                              \
  X(PFNGLACTIVETEXTUREPROC, glActiveTexture)                     \
  X(PFNGLBINDFRAMEBUFFERPROC, glBindFramebuffer)                 \
  X(PFNGLBINDTEXTUREPROC, glBindTexture)                         \
  X(PFNGLBLITFRAMEBUFFERPROC, glBlitFramebuffer)                 \
  X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, glCheckFramebufferStatus)   \
  X(PFNGLCLEARPROC, glClear)                                     \
  X(PFNGLCLEARCOLORPROC, glClearColor)                           \
  X(PFNGLDELETEFRAMEBUFFERSPROC, glDeleteFramebuffers)           \
  X(PFNGLDELETETEXTURESPROC, glDeleteTextures)                   \
  X(PFNGLFRAMEBUFFERTEXTURE2DPROC, glFramebufferTexture2D)       \
  X(PFNGLGENFRAMEBUFFERSPROC, glGenFramebuffers)                 \
  X(PFNGLGENTEXTURESPROC, glGenTextures)                         \
  X(PFNGLGETERRORPROC, glGetError)                               \
  X(PFNGLGETINTEGERVPROC, glGetIntegerv)                         \
  X(PFNGLGETSTRINGPROC, glGetString)                             \
  X(PFNGLISENABLEDPROC, glIsEnabled)                             \
  X(PFNGLPIXELSTOREIPROC, glPixelStorei)                         \
  X(PFNGLREADPIXELSPROC, glReadPixels)                           \
  X(PFNGLTEXIMAGE2DPROC, glTexImage2D)                           \
  X(PFNGLTEXPARAMETERIPROC, glTexParameteri)                     \
  X(PFNGLVIEWPORTPROC, glViewport)

namespace hostlib::gl {
#define MOSARO_DECLARE_HOST_GL(type, name) extern type p##name;
MOSARO_HOST_GL_FUNCTIONS(MOSARO_DECLARE_HOST_GL)
#undef MOSARO_DECLARE_HOST_GL

// Resolves every function with the current context; the name of the first one missing, null when none is.
const char* Resolve();
}  // namespace hostlib::gl

#define glActiveTexture hostlib::gl::pglActiveTexture
#define glBindFramebuffer hostlib::gl::pglBindFramebuffer
#define glBindTexture hostlib::gl::pglBindTexture
#define glBlitFramebuffer hostlib::gl::pglBlitFramebuffer
#define glCheckFramebufferStatus hostlib::gl::pglCheckFramebufferStatus
#define glClear hostlib::gl::pglClear
#define glClearColor hostlib::gl::pglClearColor
#define glDeleteFramebuffers hostlib::gl::pglDeleteFramebuffers
#define glDeleteTextures hostlib::gl::pglDeleteTextures
#define glFramebufferTexture2D hostlib::gl::pglFramebufferTexture2D
#define glGenFramebuffers hostlib::gl::pglGenFramebuffers
#define glGenTextures hostlib::gl::pglGenTextures
#define glGetError hostlib::gl::pglGetError
#define glGetIntegerv hostlib::gl::pglGetIntegerv
#define glGetString hostlib::gl::pglGetString
#define glIsEnabled hostlib::gl::pglIsEnabled
#define glPixelStorei hostlib::gl::pglPixelStorei
#define glReadPixels hostlib::gl::pglReadPixels
#define glTexImage2D hostlib::gl::pglTexImage2D
#define glTexParameteri hostlib::gl::pglTexParameteri
#define glViewport hostlib::gl::pglViewport
#else
#include <epoxy/gl.h>
#endif
