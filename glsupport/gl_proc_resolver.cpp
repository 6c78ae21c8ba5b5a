#include "glsupport/gl_proc_resolver.h"

#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace glsupport {

bool IsMissingProc(GlProc proc) {
  const auto value = reinterpret_cast<intptr_t>(proc);
  return value >= 0 ? value <= 3 : value == -1;
}

GlProc ResolveWithLibraryFallback(const char* name, ProcLookup contextLookup, ProcLookup libraryLookup) {
  GlProc proc = contextLookup(name);
  if (!IsMissingProc(proc)) return proc;
  return libraryLookup(name);
}

#if defined(_WIN32)
namespace {
GlProc WglLookup(const char* name) { return reinterpret_cast<GlProc>(wglGetProcAddress(name)); }

// The host's context lives in the opengl32.dll that this module imports, so it is always loaded here.
GlProc OpenGl32Lookup(const char* name) {
  HMODULE library = GetModuleHandleA("opengl32.dll");
  return library != nullptr ? reinterpret_cast<GlProc>(GetProcAddress(library, name)) : nullptr;
}
}  // namespace

GlProc LookUpWithWgl(const char* name) { return ResolveWithLibraryFallback(name, &WglLookup, &OpenGl32Lookup); }

ProcLookup CurrentContextLookup() { return wglGetCurrentContext() != nullptr ? &LookUpWithWgl : nullptr; }
#else
namespace {
// Symbols are taken only from libraries already loaded: a host with a current context has loaded its GL
// window-system library, and the module must not load one itself.
void* LoadedSymbol(const char* symbol) { return dlsym(RTLD_DEFAULT, symbol); }

bool LoadedQueryReportsContext(const char* symbol) {
  using CurrentContextQuery = void* (*)();
  auto query = reinterpret_cast<CurrentContextQuery>(LoadedSymbol(symbol));
  return query != nullptr && query() != nullptr;
}
}  // namespace

GlProc LookUpWithEgl(const char* name) {
  using EglLookup = GlProc (*)(const char*);
  auto lookup = reinterpret_cast<EglLookup>(LoadedSymbol("eglGetProcAddress"));
  return lookup != nullptr ? lookup(name) : nullptr;
}

GlProc LookUpWithGlx(const char* name) {
  using GlxLookup = GlProc (*)(const unsigned char*);
  auto lookup = reinterpret_cast<GlxLookup>(LoadedSymbol("glXGetProcAddressARB"));
  return lookup != nullptr ? lookup(reinterpret_cast<const unsigned char*>(name)) : nullptr;
}

ProcLookup CurrentContextLookup() {
  if (LoadedQueryReportsContext("eglGetCurrentContext")) return &LookUpWithEgl;
  if (LoadedQueryReportsContext("glXGetCurrentContext")) return &LookUpWithGlx;
  return nullptr;
}
#endif

}  // namespace glsupport
