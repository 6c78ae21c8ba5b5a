// A host that links no GL library and opens libEGL.so.1 with RTLD_LOCAL, as SDL's loader and ctypes do:
// the module must find the host's context through that private copy, and fail cleanly while none exists.
#include <gtest/gtest.h>

#include <dlfcn.h>

// Types and constants only: every EGL function is reached through the host's own handle.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "tests/support/documents_folder.h"
#include "tools/hostlib/gl_context.h"
#include "tools/hostlib/plugin_host.h"

namespace {

constexpr int kW = 64;
constexpr int kH = 36;

bool AnyLoaded(std::initializer_list<const char*> sonames) {
  for (const char* soname : sonames) {
    if (void* library = dlopen(soname, RTLD_NOW | RTLD_NOLOAD)) {
      dlclose(library);
      return true;
    }
  }
  return false;
}

// The host's EGL: opened privately, a surfaceless OpenGL 4.1 core context made current through the handle.
struct PrivateEgl {
  void* library = dlopen("libEGL.so.1", RTLD_NOW | RTLD_LOCAL);
  PFNEGLGETPROCADDRESSPROC getProc =
      library ? reinterpret_cast<PFNEGLGETPROCADDRESSPROC>(dlsym(library, "eglGetProcAddress")) : nullptr;
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLContext context = EGL_NO_CONTEXT;

  template <typename Function>
  Function Proc(const char* name) const {
    return reinterpret_cast<Function>(getProc(name));
  }
  bool MakeCurrent() {
    if (!getProc) return false;
    auto platformDisplay = Proc<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT");
    display = platformDisplay ? platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
                              : EGL_NO_DISPLAY;
    if (display == EGL_NO_DISPLAY || !Proc<PFNEGLINITIALIZEPROC>("eglInitialize")(display, nullptr, nullptr) ||
        !Proc<PFNEGLBINDAPIPROC>("eglBindAPI")(EGL_OPENGL_API))
      return false;
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION_KHR, 4, EGL_CONTEXT_MINOR_VERSION_KHR, 1,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK_KHR, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT_KHR,
                                 EGL_NONE};
    context = Proc<PFNEGLCREATECONTEXTPROC>("eglCreateContext")(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    return context != EGL_NO_CONTEXT &&
           Proc<PFNEGLMAKECURRENTPROC>("eglMakeCurrent")(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context);
  }
  ~PrivateEgl() {
    if (context == EGL_NO_CONTEXT) return;
    Proc<PFNEGLMAKECURRENTPROC>("eglMakeCurrent")(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    Proc<PFNEGLDESTROYCONTEXTPROC>("eglDestroyContext")(display, context);
  }
};

TEST(PrivateGlHost, NoContextFailsCleanlyThenALocallyOpenedEglContextInstantiatesAndDraws) {
  const auto gl = {"libGL.so.1", "libGLX.so.0", "libOpenGL.so.0"};
  ASSERT_FALSE(AnyLoaded(gl) || AnyLoaded({"libEGL.so.1"})) << "this host must start without any GL library";
  test::DocumentsFolder documents;
  hostlib::PluginModule module;
  ASSERT_TRUE(module.Load(MOSARO_PRODUCT_MODULE)) << module.error();
  const ViewportRecord viewport{0, 0, kW, kH};
  EXPECT_EQ(module.Instantiate(&viewport), nullptr);
  EXPECT_FALSE(AnyLoaded(gl) || AnyLoaded({"libEGL.so.1"})) << "the module loaded a GL library";

  PrivateEgl egl;
  ASSERT_TRUE(egl.MakeCurrent());
  ASSERT_EQ(dlsym(RTLD_DEFAULT, "eglGetCurrentContext"), nullptr) << "libEGL.so.1 was opened globally";
  void* instance = module.Instantiate(&viewport);
  ASSERT_NE(instance, nullptr);
#if defined(MOSARO_TEST_BUILTIN_LOADER)
  EXPECT_FALSE(AnyLoaded(gl)) << "the built-in loader takes every function from the host's EGL";
#endif
  EXPECT_EQ(module.SetFloat(instance, static_cast<uint32_t>(module.FindParameter("Width 1")), kW), 0u);
  EXPECT_EQ(module.SetFloat(instance, static_cast<uint32_t>(module.FindParameter("Height 1")), kH), 0u);

  // The host's own drawing, through libepoxy once the module has found the context by itself.
  std::vector<uint8_t> picture;
  for (int j = 0; j < kH; ++j)
    for (int i = 0; i < kW; ++i) picture.insert(picture.end(), {uint8_t(4 * i + 2), uint8_t(6 * j + 2), 40, 255});
  const hostlib::Texture input(kW, kH, picture);
  const hostlib::RenderTarget target(kW, kH);
  target.Clear(0.0f, 0.0f, 0.4f, 1.0f);
  TextureRecord texture{kW, kH, kW, kH, input.name()};
  TextureRecord* textures[1] = {&texture};
  const FrameRecord frame{1, textures};
  EXPECT_EQ(module.ProcessFrame(instance, &frame), 0u);
  EXPECT_EQ(target.ReadPixels(), picture) << "the whole-frame layer shows every texel in place";
  EXPECT_EQ(module.DeInstantiate(instance), 0u);
  module.Deinitialise();
}

}  // namespace
