// A headless OpenGL 4.1 core context (surfaceless EGL) and an offscreen render target.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hostlib {

// Owns an EGL context made current on the creating thread; released on destruction.
class EglContext {
 public:
  EglContext() = default;
  EglContext(const EglContext&) = delete;
  EglContext& operator=(const EglContext&) = delete;
  ~EglContext();

  // Creates a 4.1 core forward-compatible context and makes it current without a surface.
  bool Create();
  bool valid() const { return context != nullptr; }
  const std::string& error() const { return lastError; }
  // Makes no context current on this thread (the context stays alive).
  void ReleaseCurrent();
  // Makes this context current again.
  bool MakeCurrent();

 private:
  void* display = nullptr;
  void* context = nullptr;
  std::string lastError;
};

// An RGBA8 framebuffer object with its colour texture; bound for drawing while it lives.
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
  // Reads all pixels, bottom row first, RGBA8.
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

}  // namespace hostlib
