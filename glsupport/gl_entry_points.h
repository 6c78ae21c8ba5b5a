// The built-in loader's table: one pointer per GL function the product calls. Include after a header that
// declares the GL types and the PFN...PROC pointer types (glsupport/gl_khronos.h or <epoxy/gl.h>).
#pragma once

// X(pointer type, GL name) for each GL function the product calls; the loader itself calls glGetString.
#define MOSARO_GL_ENTRY_POINTS(X)                                      \
  X(PFNGLACTIVETEXTUREPROC, glActiveTexture)                           \
  X(PFNGLATTACHSHADERPROC, glAttachShader)                             \
  X(PFNGLBINDBUFFERPROC, glBindBuffer)                                 \
  X(PFNGLBINDTEXTUREPROC, glBindTexture)                               \
  X(PFNGLBINDVERTEXARRAYPROC, glBindVertexArray)                       \
  X(PFNGLBLENDFUNCPROC, glBlendFunc)                                   \
  X(PFNGLBUFFERDATAPROC, glBufferData)                                 \
  X(PFNGLCOMPILESHADERPROC, glCompileShader)                           \
  X(PFNGLCREATEPROGRAMPROC, glCreateProgram)                           \
  X(PFNGLCREATESHADERPROC, glCreateShader)                             \
  X(PFNGLDELETEBUFFERSPROC, glDeleteBuffers)                           \
  X(PFNGLDELETEPROGRAMPROC, glDeleteProgram)                           \
  X(PFNGLDELETESHADERPROC, glDeleteShader)                             \
  X(PFNGLDELETEVERTEXARRAYSPROC, glDeleteVertexArrays)                 \
  X(PFNGLDISABLEPROC, glDisable)                                       \
  X(PFNGLDRAWARRAYSPROC, glDrawArrays)                                 \
  X(PFNGLENABLEPROC, glEnable)                                         \
  X(PFNGLENABLEVERTEXATTRIBARRAYPROC, glEnableVertexAttribArray)       \
  X(PFNGLGENBUFFERSPROC, glGenBuffers)                                 \
  X(PFNGLGENVERTEXARRAYSPROC, glGenVertexArrays)                       \
  X(PFNGLGETPROGRAMINFOLOGPROC, glGetProgramInfoLog)                   \
  X(PFNGLGETPROGRAMIVPROC, glGetProgramiv)                             \
  X(PFNGLGETSHADERINFOLOGPROC, glGetShaderInfoLog)                     \
  X(PFNGLGETSHADERIVPROC, glGetShaderiv)                               \
  X(PFNGLGETSTRINGPROC, glGetString)                                   \
  X(PFNGLGETUNIFORMLOCATIONPROC, glGetUniformLocation)                 \
  X(PFNGLLINKPROGRAMPROC, glLinkProgram)                               \
  X(PFNGLMAPBUFFERRANGEPROC, glMapBufferRange)                         \
  X(PFNGLSHADERSOURCEPROC, glShaderSource)                             \
  X(PFNGLUNIFORM1FPROC, glUniform1f)                                   \
  X(PFNGLUNIFORM1IPROC, glUniform1i)                                   \
  X(PFNGLUNIFORM2FPROC, glUniform2f)                                   \
  X(PFNGLUNIFORM3FPROC, glUniform3f)                                   \
  X(PFNGLUNIFORM4FPROC, glUniform4f)                                   \
  X(PFNGLUNMAPBUFFERPROC, glUnmapBuffer)                               \
  X(PFNGLUSEPROGRAMPROC, glUseProgram)                                 \
  X(PFNGLVERTEXATTRIBPOINTERPROC, glVertexAttribPointer)

#include "glsupport/gl_proc_resolver.h"

namespace glsupport {

// The slots, named p + the GL name. Each starts as a stub that resolves its own slot with the current context
// on its first call; without a context, or when the function is missing, that call does nothing and returns 0.
namespace gl_entry {
#define MOSARO_DECLARE_GL_SLOT(type, name) extern type p##name;
MOSARO_GL_ENTRY_POINTS(MOSARO_DECLARE_GL_SLOT)
#undef MOSARO_DECLARE_GL_SLOT
}  // namespace gl_entry

// Result of resolving the table: missing is the first function the lookup did not find (static text),
// null when every slot was resolved.
struct EntryPointStatus {
  bool resolved;
  const char* missing;
};

// Looks every function up with lookup and, only if all were found, stores them into the slots; on failure
// the slots are left as they were.
EntryPointStatus ResolveEntryPoints(ProcLookup lookup);

// Puts every slot back to its first-call stub.
void RestoreFirstCallStubs();

}  // namespace glsupport
