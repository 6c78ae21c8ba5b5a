// GL for the code that hosts the module (the preview tool, the test hosts, the tests' own calls): libepoxy on
// Linux; on Windows a table of the functions that code calls, resolved once a context of the host's is current.
#pragma once

#if defined(_WIN32)
#include "glsupport/gl_khronos.h"

// X(pointer type, GL name) for each GL function the hosts call.
#define MOSARO_HOST_GL_FUNCTIONS(X) \
  X(PFNGLACTIVETEXTUREPROC, glActiveTexture)                     \
  X(PFNGLATTACHSHADERPROC, glAttachShader)                       \
  X(PFNGLBINDBUFFERPROC, glBindBuffer)                           \
  X(PFNGLBINDFRAMEBUFFERPROC, glBindFramebuffer)                 \
  X(PFNGLBINDTEXTUREPROC, glBindTexture)                         \
  X(PFNGLBINDVERTEXARRAYPROC, glBindVertexArray)                 \
  X(PFNGLBLENDFUNCPROC, glBlendFunc)                             \
  X(PFNGLBLITFRAMEBUFFERPROC, glBlitFramebuffer)                 \
  X(PFNGLBUFFERDATAPROC, glBufferData)                           \
  X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, glCheckFramebufferStatus)   \
  X(PFNGLCLEARPROC, glClear)                                     \
  X(PFNGLCLEARCOLORPROC, glClearColor)                           \
  X(PFNGLCOMPILESHADERPROC, glCompileShader)                     \
  X(PFNGLCREATEPROGRAMPROC, glCreateProgram)                     \
  X(PFNGLCREATESHADERPROC, glCreateShader)                       \
  X(PFNGLDELETEBUFFERSPROC, glDeleteBuffers)                     \
  X(PFNGLDELETEFRAMEBUFFERSPROC, glDeleteFramebuffers)           \
  X(PFNGLDELETEPROGRAMPROC, glDeleteProgram)                     \
  X(PFNGLDELETESHADERPROC, glDeleteShader)                       \
  X(PFNGLDELETETEXTURESPROC, glDeleteTextures)                   \
  X(PFNGLDELETEVERTEXARRAYSPROC, glDeleteVertexArrays)           \
  X(PFNGLDISABLEPROC, glDisable)                                 \
  X(PFNGLDRAWARRAYSPROC, glDrawArrays)                           \
  X(PFNGLENABLEPROC, glEnable)                                   \
  X(PFNGLENABLEVERTEXATTRIBARRAYPROC, glEnableVertexAttribArray) \
  X(PFNGLFINISHPROC, glFinish)                                   \
  X(PFNGLFRAMEBUFFERTEXTURE2DPROC, glFramebufferTexture2D)       \
  X(PFNGLGENBUFFERSPROC, glGenBuffers)                           \
  X(PFNGLGENFRAMEBUFFERSPROC, glGenFramebuffers)                 \
  X(PFNGLGENTEXTURESPROC, glGenTextures)                         \
  X(PFNGLGENVERTEXARRAYSPROC, glGenVertexArrays)                 \
  X(PFNGLGETACTIVEUNIFORMSIVPROC, glGetActiveUniformsiv)         \
  X(PFNGLGETATTRIBLOCATIONPROC, glGetAttribLocation)             \
  X(PFNGLGETBUFFERPARAMETERIVPROC, glGetBufferParameteriv)       \
  X(PFNGLGETBUFFERSUBDATAPROC, glGetBufferSubData)               \
  X(PFNGLGETERRORPROC, glGetError)                               \
  X(PFNGLGETINTEGERVPROC, glGetIntegerv)                         \
  X(PFNGLGETPROGRAMINFOLOGPROC, glGetProgramInfoLog)             \
  X(PFNGLGETPROGRAMIVPROC, glGetProgramiv)                       \
  X(PFNGLGETSHADERINFOLOGPROC, glGetShaderInfoLog)               \
  X(PFNGLGETSHADERIVPROC, glGetShaderiv)                         \
  X(PFNGLGETSTRINGPROC, glGetString)                             \
  X(PFNGLGETUNIFORMINDICESPROC, glGetUniformIndices)             \
  X(PFNGLGETUNIFORMLOCATIONPROC, glGetUniformLocation)           \
  X(PFNGLGETUNIFORMFVPROC, glGetUniformfv)                       \
  X(PFNGLGETUNIFORMIVPROC, glGetUniformiv)                       \
  X(PFNGLGETVERTEXATTRIBPOINTERVPROC, glGetVertexAttribPointerv) \
  X(PFNGLGETVERTEXATTRIBIVPROC, glGetVertexAttribiv)             \
  X(PFNGLISBUFFERPROC, glIsBuffer)                               \
  X(PFNGLISENABLEDPROC, glIsEnabled)                             \
  X(PFNGLISFRAMEBUFFERPROC, glIsFramebuffer)                     \
  X(PFNGLISPROGRAMPROC, glIsProgram)                             \
  X(PFNGLISSHADERPROC, glIsShader)                               \
  X(PFNGLISTEXTUREPROC, glIsTexture)                             \
  X(PFNGLISVERTEXARRAYPROC, glIsVertexArray)                     \
  X(PFNGLLINKPROGRAMPROC, glLinkProgram)                         \
  X(PFNGLMAPBUFFERRANGEPROC, glMapBufferRange)                   \
  X(PFNGLPIXELSTOREIPROC, glPixelStorei)                         \
  X(PFNGLREADPIXELSPROC, glReadPixels)                           \
  X(PFNGLSHADERSOURCEPROC, glShaderSource)                       \
  X(PFNGLTEXIMAGE2DPROC, glTexImage2D)                           \
  X(PFNGLTEXPARAMETERIPROC, glTexParameteri)                     \
  X(PFNGLUNIFORM1FPROC, glUniform1f)                             \
  X(PFNGLUNIFORM1IPROC, glUniform1i)                             \
  X(PFNGLUNIFORM2FPROC, glUniform2f)                             \
  X(PFNGLUNMAPBUFFERPROC, glUnmapBuffer)                         \
  X(PFNGLUSEPROGRAMPROC, glUseProgram)                           \
  X(PFNGLVERTEXATTRIBPOINTERPROC, glVertexAttribPointer)         \
  X(PFNGLVIEWPORTPROC, glViewport)                              

namespace glsupport::host_gl {
#define MOSARO_DECLARE_HOST_GL(type, name) extern type p##name;
MOSARO_HOST_GL_FUNCTIONS(MOSARO_DECLARE_HOST_GL)
#undef MOSARO_DECLARE_HOST_GL

// Resolves every function with the current context; the name of the first one missing, null when none is.
const char* Resolve();
}  // namespace glsupport::host_gl

#define glActiveTexture glsupport::host_gl::pglActiveTexture
#define glAttachShader glsupport::host_gl::pglAttachShader
#define glBindBuffer glsupport::host_gl::pglBindBuffer
#define glBindFramebuffer glsupport::host_gl::pglBindFramebuffer
#define glBindTexture glsupport::host_gl::pglBindTexture
#define glBindVertexArray glsupport::host_gl::pglBindVertexArray
#define glBlendFunc glsupport::host_gl::pglBlendFunc
#define glBlitFramebuffer glsupport::host_gl::pglBlitFramebuffer
#define glBufferData glsupport::host_gl::pglBufferData
#define glCheckFramebufferStatus glsupport::host_gl::pglCheckFramebufferStatus
#define glClear glsupport::host_gl::pglClear
#define glClearColor glsupport::host_gl::pglClearColor
#define glCompileShader glsupport::host_gl::pglCompileShader
#define glCreateProgram glsupport::host_gl::pglCreateProgram
#define glCreateShader glsupport::host_gl::pglCreateShader
#define glDeleteBuffers glsupport::host_gl::pglDeleteBuffers
#define glDeleteFramebuffers glsupport::host_gl::pglDeleteFramebuffers
#define glDeleteProgram glsupport::host_gl::pglDeleteProgram
#define glDeleteShader glsupport::host_gl::pglDeleteShader
#define glDeleteTextures glsupport::host_gl::pglDeleteTextures
#define glDeleteVertexArrays glsupport::host_gl::pglDeleteVertexArrays
#define glDisable glsupport::host_gl::pglDisable
#define glDrawArrays glsupport::host_gl::pglDrawArrays
#define glEnable glsupport::host_gl::pglEnable
#define glEnableVertexAttribArray glsupport::host_gl::pglEnableVertexAttribArray
#define glFinish glsupport::host_gl::pglFinish
#define glFramebufferTexture2D glsupport::host_gl::pglFramebufferTexture2D
#define glGenBuffers glsupport::host_gl::pglGenBuffers
#define glGenFramebuffers glsupport::host_gl::pglGenFramebuffers
#define glGenTextures glsupport::host_gl::pglGenTextures
#define glGenVertexArrays glsupport::host_gl::pglGenVertexArrays
#define glGetActiveUniformsiv glsupport::host_gl::pglGetActiveUniformsiv
#define glGetAttribLocation glsupport::host_gl::pglGetAttribLocation
#define glGetBufferParameteriv glsupport::host_gl::pglGetBufferParameteriv
#define glGetBufferSubData glsupport::host_gl::pglGetBufferSubData
#define glGetError glsupport::host_gl::pglGetError
#define glGetIntegerv glsupport::host_gl::pglGetIntegerv
#define glGetProgramInfoLog glsupport::host_gl::pglGetProgramInfoLog
#define glGetProgramiv glsupport::host_gl::pglGetProgramiv
#define glGetShaderInfoLog glsupport::host_gl::pglGetShaderInfoLog
#define glGetShaderiv glsupport::host_gl::pglGetShaderiv
#define glGetString glsupport::host_gl::pglGetString
#define glGetUniformIndices glsupport::host_gl::pglGetUniformIndices
#define glGetUniformLocation glsupport::host_gl::pglGetUniformLocation
#define glGetUniformfv glsupport::host_gl::pglGetUniformfv
#define glGetUniformiv glsupport::host_gl::pglGetUniformiv
#define glGetVertexAttribPointerv glsupport::host_gl::pglGetVertexAttribPointerv
#define glGetVertexAttribiv glsupport::host_gl::pglGetVertexAttribiv
#define glIsBuffer glsupport::host_gl::pglIsBuffer
#define glIsEnabled glsupport::host_gl::pglIsEnabled
#define glIsFramebuffer glsupport::host_gl::pglIsFramebuffer
#define glIsProgram glsupport::host_gl::pglIsProgram
#define glIsShader glsupport::host_gl::pglIsShader
#define glIsTexture glsupport::host_gl::pglIsTexture
#define glIsVertexArray glsupport::host_gl::pglIsVertexArray
#define glLinkProgram glsupport::host_gl::pglLinkProgram
#define glMapBufferRange glsupport::host_gl::pglMapBufferRange
#define glPixelStorei glsupport::host_gl::pglPixelStorei
#define glReadPixels glsupport::host_gl::pglReadPixels
#define glShaderSource glsupport::host_gl::pglShaderSource
#define glTexImage2D glsupport::host_gl::pglTexImage2D
#define glTexParameteri glsupport::host_gl::pglTexParameteri
#define glUniform1f glsupport::host_gl::pglUniform1f
#define glUniform1i glsupport::host_gl::pglUniform1i
#define glUniform2f glsupport::host_gl::pglUniform2f
#define glUnmapBuffer glsupport::host_gl::pglUnmapBuffer
#define glUseProgram glsupport::host_gl::pglUseProgram
#define glVertexAttribPointer glsupport::host_gl::pglVertexAttribPointer
#define glViewport glsupport::host_gl::pglViewport
#else
#include <epoxy/gl.h>
#endif
