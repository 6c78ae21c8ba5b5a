// A host that links no GL library and opens libEGL.so.1 with RTLD_LOCAL, as common GL loaders do by default:
// the module must find the host's context through that private copy, and fail cleanly while none exists.
#include <gtest/gtest.h>

#include <dlfcn.h>

// Declarations only: every EGL function is reached through the host's own handle.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "tools/caller/documents_folder.h"
#include "tools/caller/gl_context.h"
#include "tools/caller/plugin_module.h"

namespace {

constexpr int kW = 64;
constexpr int kH = 36;

bool AnyLoaded(std::initializer_list<const char*> sonames) {
  for (const char* soname : sonames)
    if (void* library = dlopen(soname, RTLD_NOW | RTLD_NOLOAD)) return dlclose(library), true;
  return false;
}

// The host's EGL, opened privately: a surfaceless OpenGL 4.1 core context made current through the handle.
struct PrivateEgl {
#define HOST_EGL(name) reinterpret_cast<decltype(&name)>(dlsym(library, #name))
  void* library = dlopen("libEGL.so.1", RTLD_NOW | RTLD_LOCAL);
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLContext context = EGL_NO_CONTEXT;

  bool MakeCurrent() {
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 4, EGL_CONTEXT_MINOR_VERSION, 1,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
    if (library) display = HOST_EGL(eglGetPlatformDisplay)(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display != EGL_NO_DISPLAY && HOST_EGL(eglInitialize)(display, nullptr, nullptr) &&
        HOST_EGL(eglBindAPI)(EGL_OPENGL_API))
      context = HOST_EGL(eglCreateContext)(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    return context != EGL_NO_CONTEXT && HOST_EGL(eglMakeCurrent)(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context);
  }
  ~PrivateEgl() {
    if (context == EGL_NO_CONTEXT) return;
    HOST_EGL(eglMakeCurrent)(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    HOST_EGL(eglDestroyContext)(display, context);
  }
#undef HOST_EGL
};

TEST(PrivateGlHost, NoContextFailsCleanlyThenALocallyOpenedEglContextInstantiatesAndDraws) {
  const auto gl = {"libGL.so.1", "libGLX.so.0", "libOpenGL.so.0"};
  ASSERT_FALSE(AnyLoaded(gl) || AnyLoaded({"libEGL.so.1"})) << "this host must start without any GL library";
  caller::DocumentsFolder documents;
  caller::PluginModule module;
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
  const caller::Texture input(kW, kH, picture);
  const caller::RenderTarget target(kW, kH);
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
