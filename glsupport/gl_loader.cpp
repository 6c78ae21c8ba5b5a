#include "glsupport/gl_loader.h"

#include "glsupport/gl.h"
#include "glsupport/gl_proc_resolver.h"

#if defined(MOSARO_BUILTIN_GL_LOADER)
#include "glsupport/gl_entry_points.h"
#include "glsupport/gl_version.h"
#elif !defined(_WIN32)
#include "glsupport/epoxy_gl_library.h"
#endif

namespace glsupport {

namespace {
constexpr int kRequiredGlVersion = 41;
}  // namespace

bool HasCurrentContext() { return CurrentContextLookup() != nullptr; }

bool LoadEntryPoints() {
  ProcLookup lookup = CurrentContextLookup();
  if (lookup == nullptr) return false;
#if defined(MOSARO_BUILTIN_GL_LOADER)
  if (!ResolveEntryPoints(lookup).resolved) return false;
  return ParseGlVersion(reinterpret_cast<const char*>(glGetString(GL_VERSION))) >= kRequiredGlVersion;
#elif defined(_WIN32)
  return epoxy_gl_version() >= kRequiredGlVersion;
#else
  const EpoxyGlLibrary library(lookup == &LookUpWithGlx);
  return library.found() && epoxy_gl_version() >= kRequiredGlVersion;
#endif
}

}  // namespace glsupport
