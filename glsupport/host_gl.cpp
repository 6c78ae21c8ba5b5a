// The hosts' GL table on Windows, resolved with wglGetProcAddress (the GL 1.1 functions from opengl32.dll).
#include "glsupport/host_gl.h"

#include "glsupport/gl_proc_resolver.h"

namespace glsupport::host_gl {

#define MOSARO_DEFINE_HOST_GL(type, name) type p##name = nullptr;
MOSARO_HOST_GL_FUNCTIONS(MOSARO_DEFINE_HOST_GL)
#undef MOSARO_DEFINE_HOST_GL

const char* Resolve() {
#define MOSARO_RESOLVE_HOST_GL(type, name)                            \
  p##name = reinterpret_cast<type>(LookUpWithWgl(#name));             \
  if (IsMissingProc(reinterpret_cast<GlProc>(p##name))) return #name;
  MOSARO_HOST_GL_FUNCTIONS(MOSARO_RESOLVE_HOST_GL)
#undef MOSARO_RESOLVE_HOST_GL
  return nullptr;
}

}  // namespace glsupport::host_gl
