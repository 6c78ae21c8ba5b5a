#include "tools/caller/gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdlib>

namespace caller {

GlContext::~GlContext() {
  if (!context) return;
  auto dpy = static_cast<EGLDisplay>(display);
  eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(dpy, static_cast<EGLContext>(context));
  // The display is not terminated: doing so makes leak checkers report the driver's own memory.
}

bool GlContext::Create() {
  // The one place the driver's disk cache of compiled shaders is turned off, for every host made here (tests,
  // benches, fuzzers, the preview tool): no run leans on what an earlier one compiled, and none writes beside
  // its own folders. A process that wants the cache says so in its environment first (the reload test does).
  setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  EGLDisplay dpy = EGL_NO_DISPLAY;
  if (getPlatformDisplay) dpy = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (dpy == EGL_NO_DISPLAY) {
    lastError = "no surfaceless EGL display";
    return false;
  }
  EGLint major = 0, minor = 0;
  if (!eglInitialize(dpy, &major, &minor)) {
    lastError = "eglInitialize failed";
    return false;
  }
  if (!eglBindAPI(EGL_OPENGL_API)) {
    lastError = "eglBindAPI(EGL_OPENGL_API) failed";
    return false;
  }
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION_KHR,
                               4,
                               EGL_CONTEXT_MINOR_VERSION_KHR,
                               1,
                               EGL_CONTEXT_OPENGL_PROFILE_MASK_KHR,
                               EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT_KHR,
                               EGL_CONTEXT_FLAGS_KHR,
                               EGL_CONTEXT_OPENGL_FORWARD_COMPATIBLE_BIT_KHR,
                               EGL_NONE};
  EGLContext ctx = eglCreateContext(dpy, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  if (ctx == EGL_NO_CONTEXT) {
    lastError = "eglCreateContext for OpenGL 4.1 core failed";
    return false;
  }
  display = dpy;
  context = ctx;
  if (!MakeCurrent()) {
    lastError = "eglMakeCurrent without a surface failed";
    return false;
  }
  return true;
}

void GlContext::ReleaseCurrent() {
  if (display) eglMakeCurrent(static_cast<EGLDisplay>(display), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

bool GlContext::MakeCurrent() {
  return context && eglMakeCurrent(static_cast<EGLDisplay>(display), EGL_NO_SURFACE, EGL_NO_SURFACE,
                                   static_cast<EGLContext>(context));
}

}  // namespace caller
