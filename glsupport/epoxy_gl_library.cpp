#include "glsupport/epoxy_gl_library.h"

#include <dlfcn.h>

#include <initializer_list>

namespace glsupport {

EpoxyGlLibrary::EpoxyGlLibrary(bool glxContext) {
  // In libepoxy's order of preference, and with the flags it opens them with.
  const char* const candidates[] = {"libGL.so.1", glxContext ? nullptr : "libOpenGL.so.0"};
  for (int flags : {RTLD_LAZY | RTLD_LOCAL | RTLD_NOLOAD, RTLD_LAZY | RTLD_LOCAL}) {
    for (const char* soname : candidates) {
      if (soname != nullptr && (handle = dlopen(soname, flags)) != nullptr) return;
    }
  }
}

EpoxyGlLibrary::~EpoxyGlLibrary() {
  if (handle != nullptr) dlclose(handle);
}

}  // namespace glsupport
