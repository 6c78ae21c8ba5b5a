#include "glsupport/gl_proc_resolver.h"

#include <cstddef>
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
// The window-system libraries a host may have loaded, by soname. A host may have opened one with
// RTLD_LOCAL, which keeps its symbols out of the global lookup, so each is also asked for by name.
constexpr const char* kEglLibraries[] = {"libEGL.so.1"};
constexpr const char* kGlxLibraries[] = {"libGLX.so.0", "libGL.so.1"};

// The symbol from the global scope, else from the first of the libraries already loaded that has it.
// RTLD_NOLOAD never loads a library: a host with a current context has loaded its own. The symbol stays
// valid while the host keeps its library, which it does while its context lives.
template <size_t N>
void* LoadedSymbol(const char* const (&libraries)[N], const char* symbol) {
  if (void* global = dlsym(RTLD_DEFAULT, symbol)) return global;
  for (const char* soname : libraries) {
    void* library = dlopen(soname, RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) continue;
    void* found = dlsym(library, symbol);
    dlclose(library);
    if (found != nullptr) return found;
  }
  return nullptr;
}

template <size_t N>
bool LoadedQueryReportsContext(const char* const (&libraries)[N], const char* symbol) {
  using CurrentContextQuery = void* (*)();
  auto query = reinterpret_cast<CurrentContextQuery>(LoadedSymbol(libraries, symbol));
  return query != nullptr && query() != nullptr;
}
}  // namespace

GlProc LookUpWithEgl(const char* name) {
  using EglLookup = GlProc (*)(const char*);
  auto lookup = reinterpret_cast<EglLookup>(LoadedSymbol(kEglLibraries, "eglGetProcAddress"));
  return lookup != nullptr ? lookup(name) : nullptr;
}

GlProc LookUpWithGlx(const char* name) {
  using GlxLookup = GlProc (*)(const unsigned char*);
  auto lookup = reinterpret_cast<GlxLookup>(LoadedSymbol(kGlxLibraries, "glXGetProcAddressARB"));
  return lookup != nullptr ? lookup(reinterpret_cast<const unsigned char*>(name)) : nullptr;
}

ProcLookup CurrentContextLookup() {
  if (LoadedQueryReportsContext(kEglLibraries, "eglGetCurrentContext")) return &LookUpWithEgl;
  if (LoadedQueryReportsContext(kGlxLibraries, "glXGetCurrentContext")) return &LookUpWithGlx;
  return nullptr;
}
#endif

}  // namespace glsupport
