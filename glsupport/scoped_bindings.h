// Scope objects that make one piece of GL state current and bind 0 (unit 0) when they end.
#pragma once

#include <cstdint>

namespace glsupport {

// Binds a texture to a target; ending binds texture 0 to the same target.
class ScopedTextureBinding {
 public:
  ScopedTextureBinding(uint32_t target, uint32_t texture);
  ScopedTextureBinding(const ScopedTextureBinding&) = delete;
  ScopedTextureBinding& operator=(const ScopedTextureBinding&) = delete;
  virtual ~ScopedTextureBinding();
  // Binds texture 0 if still bound; later calls do nothing.
  void EndScope();

 private:
  bool bound;
  uint32_t target;
};

// A texture bound to GL_TEXTURE_2D.
class Scoped2DTextureBinding : public ScopedTextureBinding {
 public:
  explicit Scoped2DTextureBinding(uint32_t texture);
};

// Binds a buffer to a target; ending binds buffer 0 to the same target.
class ScopedBufferBinding {
 public:
  ScopedBufferBinding(uint32_t target, uint32_t buffer);
  ScopedBufferBinding(const ScopedBufferBinding&) = delete;
  ScopedBufferBinding& operator=(const ScopedBufferBinding&) = delete;
  virtual ~ScopedBufferBinding();
  // Binds buffer 0 if still bound; later calls do nothing.
  void EndScope();

 private:
  bool bound;
  uint32_t target;
};

// A buffer bound to GL_ARRAY_BUFFER.
class ScopedVBOBinding : public ScopedBufferBinding {
 public:
  explicit ScopedVBOBinding(uint32_t buffer);
};

// Makes a program current; ending makes program 0 current.
class ScopedShaderBinding {
 public:
  explicit ScopedShaderBinding(uint32_t program);
  ScopedShaderBinding(const ScopedShaderBinding&) = delete;
  ScopedShaderBinding& operator=(const ScopedShaderBinding&) = delete;
  ~ScopedShaderBinding();
  // Makes program 0 current if still bound; later calls do nothing.
  void EndScope();

 private:
  bool bound;
};

// Binds a vertex array; ending binds vertex array 0.
class ScopedVAOBinding {
 public:
  explicit ScopedVAOBinding(uint32_t vertexArray);
  ScopedVAOBinding(const ScopedVAOBinding&) = delete;
  ScopedVAOBinding& operator=(const ScopedVAOBinding&) = delete;
  ~ScopedVAOBinding();
  // Binds vertex array 0 if still bound; later calls do nothing.
  void EndScope();

 private:
  bool bound;
};

// Makes texture unit GL_TEXTURE0 + unit active; ending makes GL_TEXTURE0 active.
class ScopedActiveTextureUnit {
 public:
  explicit ScopedActiveTextureUnit(uint32_t unit);
  ScopedActiveTextureUnit(const ScopedActiveTextureUnit&) = delete;
  ScopedActiveTextureUnit& operator=(const ScopedActiveTextureUnit&) = delete;
  ~ScopedActiveTextureUnit();
  // Makes GL_TEXTURE0 active if still in effect; later calls do nothing.
  void EndScope();

 private:
  bool bound;
};

}  // namespace glsupport
