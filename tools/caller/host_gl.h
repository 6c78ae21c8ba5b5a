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

namespace caller::gl {
#define MOSARO_DECLARE_HOST_GL(type, name) extern type p##name;
MOSARO_HOST_GL_FUNCTIONS(MOSARO_DECLARE_HOST_GL)
#undef MOSARO_DECLARE_HOST_GL

// Resolves every function with the current context; the name of the first one missing, null when none is.
const char* Resolve();
}  // namespace caller::gl

#define glActiveTexture caller::gl::pglActiveTexture
#define glBindFramebuffer caller::gl::pglBindFramebuffer
#define glBindTexture caller::gl::pglBindTexture
#define glBlitFramebuffer caller::gl::pglBlitFramebuffer
#define glCheckFramebufferStatus caller::gl::pglCheckFramebufferStatus
#define glClear caller::gl::pglClear
#define glClearColor caller::gl::pglClearColor
#define glDeleteFramebuffers caller::gl::pglDeleteFramebuffers
#define glDeleteTextures caller::gl::pglDeleteTextures
#define glFramebufferTexture2D caller::gl::pglFramebufferTexture2D
#define glGenFramebuffers caller::gl::pglGenFramebuffers
#define glGenTextures caller::gl::pglGenTextures
#define glGetError caller::gl::pglGetError
#define glGetIntegerv caller::gl::pglGetIntegerv
#define glGetString caller::gl::pglGetString
#define glIsEnabled caller::gl::pglIsEnabled
#define glPixelStorei caller::gl::pglPixelStorei
#define glReadPixels caller::gl::pglReadPixels
#define glTexImage2D caller::gl::pglTexImage2D
#define glTexParameteri caller::gl::pglTexParameteri
#define glViewport caller::gl::pglViewport
#else
#include <epoxy/gl.h>
#endif
