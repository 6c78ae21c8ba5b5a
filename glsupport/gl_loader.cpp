#include "glsupport/gl_loader.h"

#include "glsupport/gl.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace glsupport {

#if defined(_WIN32)
bool HasCurrentContext() { return wglGetCurrentContext() != nullptr; }
#else
namespace {
// Looks the query up only among libraries already loaded: a host with a current context has loaded its
// GL window-system library, and the module must not load one itself.
bool LoadedQueryReportsContext(const char* symbol) {
  using CurrentContextQuery = void* (*)();
  auto query = reinterpret_cast<CurrentContextQuery>(dlsym(RTLD_DEFAULT, symbol));
  return query != nullptr && query() != nullptr;
}
}  // namespace

bool HasCurrentContext() {
  return LoadedQueryReportsContext("eglGetCurrentContext") || LoadedQueryReportsContext("glXGetCurrentContext");
}
#endif

bool LoadEntryPoints() {
  if (!HasCurrentContext()) return false;
  return epoxy_gl_version() >= 41;
}

}  // namespace glsupport
