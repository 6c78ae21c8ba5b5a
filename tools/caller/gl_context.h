// A headless OpenGL 4.1 core context and an offscreen render target. The context is surfaceless EGL on
// Linux (egl_context.cpp) and WGL on a hidden window on Windows (wgl_context.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace caller {

// Owns a context made current on the creating thread; released on destruction.
class GlContext {
 public:
  GlContext() = default;
  GlContext(const GlContext&) = delete;
  GlContext& operator=(const GlContext&) = delete;
  ~GlContext();

  // Creates a 4.1 core forward-compatible context and makes it current (no window is ever shown).
  bool Create();
  bool valid() const { return context != nullptr; }
  const std::string& error() const { return lastError; }
  // Makes no context current on this thread (the context stays alive).
  void ReleaseCurrent();
  // Makes this context current again.
  bool MakeCurrent();

 private:
#if defined(_WIN32)
  void* window = nullptr;  // the hidden window
#endif
  void* display = nullptr;  // EGLDisplay, or the window's device context
  void* context = nullptr;  // EGLContext or HGLRC
  std::string lastError;
};

// An RGBA8 framebuffer object with its colour texture, bound (with its viewport) when made; the window-system
// framebuffer is bound again when it goes. Needs the context current for its whole life.
class RenderTarget {
 public:
  RenderTarget(int width, int height);
  RenderTarget(const RenderTarget&) = delete;
  RenderTarget& operator=(const RenderTarget&) = delete;
  ~RenderTarget();

  bool complete() const { return isComplete; }
  int width() const { return w; }
  int height() const { return h; }
  // Binds the framebuffer and sets the viewport.
  void Bind() const;
  // Clears to the colour (0..1 components).
  void Clear(float r, float g, float b, float a) const;
  // Reads all pixels, bottom row first, RGBA8 (binds it for reading).
  std::vector<uint8_t> ReadPixels() const;
  // Reads one pixel (x from the left, y from the bottom).
  std::vector<uint8_t> ReadPixel(int x, int y) const;

 private:
  int w = 0;
  int h = 0;
  uint32_t framebuffer = 0;
  uint32_t colour = 0;
  bool isComplete = false;
};

// An RGBA8 2D texture of the given size filled from pixels (bottom row first); deleted on destruction.
class Texture {
 public:
  Texture(int width, int height, const std::vector<uint8_t>& rgba);
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;
  ~Texture();
  uint32_t name() const { return handle; }

 private:
  uint32_t handle = 0;
};

}  // namespace caller
