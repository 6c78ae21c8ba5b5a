// The stored shader sources and what the two programs draw, in a headless GL 4.1 core context.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "effect/quad_geometry.h"
#include "effect/quad_upload.h"
#include "effect/shader_block_lengths.h"
#include "effect/shader_sources.h"
#include "glsupport/gl.h"
#include "tests/support/gl_test_context.h"
#include "tools/caller/temp_folder.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(caller::ReadBytes(std::filesystem::u8path(path), bytes)) << path;
  return bytes;
}

TEST(StoredSources, BlocksHaveTheirFixedLengths) {
  // Each source its own block, of the length the build's table gives it.
  EXPECT_EQ(GetStoredSource(ShaderSource::LayerVertex).length, kLayerVertexLength);
  EXPECT_EQ(GetStoredSource(ShaderSource::LayerFragment).length, kLayerFragmentLength);
  EXPECT_EQ(GetStoredSource(ShaderSource::OverlayVertex).length, kOverlayVertexLength);
  EXPECT_EQ(GetStoredSource(ShaderSource::OverlayFragment).length, kOverlayFragmentLength);
  EXPECT_NE(GetStoredSource(ShaderSource::LayerVertex).bytes, GetStoredSource(ShaderSource::OverlayVertex).bytes);
  for (ShaderSource source : {ShaderSource::LayerVertex, ShaderSource::LayerFragment, ShaderSource::OverlayVertex,
                              ShaderSource::OverlayFragment}) {
    EXPECT_NE(GetStoredSource(source).bytes, nullptr);
    EXPECT_EQ(SourceText(source).size(), static_cast<size_t>(GetStoredSource(source).length));
  }
}

TEST(StoredSources, KeysAreKeyMaterialAndTwoZeros) {
  for (const std::vector<uint8_t>* key : {&layerSourceKey, &overlaySourceKey}) {
    ASSERT_EQ(key->size(), 34u);
    EXPECT_EQ((*key)[32], 0);
    EXPECT_EQ((*key)[33], 0);
    int zeros = 0;
    for (int i = 0; i < 32; ++i) zeros += (*key)[i] == 0;
    EXPECT_EQ(zeros, 0) << "a zero key byte would leave source bytes in the clear";
  }
  EXPECT_NE(layerSourceKey, overlaySourceKey);
  EXPECT_EQ(&GetSourceKey(ShaderSource::LayerFragment), &layerSourceKey);
  EXPECT_EQ(&GetSourceKey(ShaderSource::OverlayVertex), &overlaySourceKey);
}

// Key bytes 0xA0, 0xA1, ... 0xBF, then the two zero bytes.
std::vector<uint8_t> CountingKey() {
  std::vector<uint8_t> key;
  for (int i = 0; i < 32; ++i) key.push_back(static_cast<uint8_t>(0xA0 + i));
  key.push_back(0);
  key.push_back(0);
  return key;
}

TEST(UnscrambleSource, StartsAtKeyPositionLengthModulo32) {
  // Length 3: key positions 3, 4, 5. 0x41 ^ 0xA3 = 0xE2, 0x42 ^ 0xA4 = 0xE6, 0x4F ^ 0xA5 = 0xEA.
  const uint8_t stored[3] = {0x41, 0x42, 0x4F};
  EXPECT_EQ(UnscrambleSource(stored, 3, CountingKey()), std::string("\xE2\xE6\xEA"));
}

TEST(UnscrambleSource, WrapsWithinTheKeyMaterialOnly) {
  // Length 40 of zeros gives the key bytes themselves: positions 8..31, then 0..15; never a trailing zero.
  const std::vector<uint8_t> zeros(40, 0);
  const std::string text = UnscrambleSource(zeros.data(), 40, CountingKey());
  ASSERT_EQ(text.size(), 40u);
  EXPECT_EQ(static_cast<uint8_t>(text[0]), 0xA8);
  EXPECT_EQ(static_cast<uint8_t>(text[23]), 0xBF);
  EXPECT_EQ(static_cast<uint8_t>(text[24]), 0xA0);
  EXPECT_EQ(static_cast<uint8_t>(text[39]), 0xAF);
}

TEST(UnscrambleSource, UnusableArgumentsGiveEmptyText) {
  const uint8_t stored[3] = {1, 2, 3};
  EXPECT_EQ(UnscrambleSource(stored, 0, CountingKey()), "");
  EXPECT_EQ(UnscrambleSource(stored, -1, CountingKey()), "");
  EXPECT_EQ(UnscrambleSource(nullptr, 3, CountingKey()), "");
  EXPECT_EQ(UnscrambleSource(stored, 3, std::vector<uint8_t>{7, 0}), "");
}

TEST(UnscrambleSource, StoredSourcesAreTheShaderFilesPaddedWithBlanks) {
  const struct {
    ShaderSource source;
    const char* file;
  } sources[] = {{ShaderSource::LayerVertex, "pass_through.vert.glsl"},
                 {ShaderSource::LayerFragment, "layer.frag.glsl"},
                 {ShaderSource::OverlayVertex, "pass_through.vert.glsl"},
                 {ShaderSource::OverlayFragment, "overlay.frag.glsl"}};
  for (const auto& entry : sources) {
    std::string expected = ReadFile(std::string(MOSARO_SHADER_DIR) + "/" + entry.file);
    ASSERT_FALSE(expected.empty()) << entry.file;
    const size_t length = static_cast<size_t>(GetStoredSource(entry.source).length);
    ASSERT_LE(expected.size(), length) << entry.file;
    expected.append(length - expected.size(), ' ');
    EXPECT_EQ(SourceText(entry.source), expected) << entry.file;
  }
}

// Compiles and links one program; 0 with the log in *log on failure.
GLuint BuildProgram(const std::string& vertex, const std::string& fragment, std::string* log) {
  const auto compile = [log](GLenum stage, const std::string& text) -> GLuint {
    const GLuint shader = glCreateShader(stage);
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
      char buffer[2048] = {};
      glGetShaderInfoLog(shader, sizeof buffer - 1, nullptr, buffer);
      *log += buffer;
      glDeleteShader(shader);
      return 0;
    }
    return shader;
  };
  const GLuint vs = compile(GL_VERTEX_SHADER, vertex);
  const GLuint fs = compile(GL_FRAGMENT_SHADER, fragment);
  GLuint program = 0;
  if (vs != 0 && fs != 0) {
    program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
      char buffer[2048] = {};
      glGetProgramInfoLog(program, sizeof buffer - 1, nullptr, buffer);
      *log += buffer;
      glDeleteProgram(program);
      program = 0;
    }
  }
  glDeleteShader(vs);
  glDeleteShader(fs);
  return program;
}

// One texture of size w x h whose texel (x, y) holds (x, y, 0, 255); with a used part of uw x uh, the
// texels outside it hold the marker (255, 255, 255, 255).
struct Gradient {
  Gradient(int w, int h, int uw, int uh, GLint filter) {
    std::vector<uint8_t> rgba;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool used = x < uw && y < uh;
        rgba.push_back(used ? static_cast<uint8_t>(x) : 255);
        rgba.push_back(used ? static_cast<uint8_t>(y) : 255);
        rgba.push_back(used ? 0 : 255);
        rgba.push_back(255);
      }
    }
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  }
  ~Gradient() { glDeleteTextures(1, &name); }
  Gradient(const Gradient&) = delete;
  Gradient& operator=(const Gradient&) = delete;
  GLuint name = 0;
};

// An RGBA8 framebuffer of its own, bound for drawing while it lives.
struct Target {
  Target(int width, int height) : w(width), h(height) {
    glGenTextures(1, &colour);
    glBindTexture(GL_TEXTURE_2D, colour);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    glViewport(0, 0, w, h);
  }
  ~Target() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &colour);
  }
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;
  std::vector<uint8_t> Read() const {
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }
  int w;
  int h;
  GLuint colour = 0;
  GLuint framebuffer = 0;
};

struct Rgba {
  int r, g, b, a;
};

// Both programs built from the stored sources, with the quad buffer, in the shared context.
class EffectPrograms : public testsupport::GlTest {
 protected:
  void SetUp() override {
    testsupport::GlTest::SetUp();
    if (HasFatalFailure()) return;
    std::string log;
    layer = BuildProgram(SourceText(ShaderSource::LayerVertex), SourceText(ShaderSource::LayerFragment), &log);
    ASSERT_NE(layer, 0u) << log;
    overlay =
        BuildProgram(SourceText(ShaderSource::OverlayVertex), SourceText(ShaderSource::OverlayFragment), &log);
    ASSERT_NE(overlay, 0u) << log;
    ASSERT_TRUE(CreateQuadBuffers(quad));
    glDisable(GL_BLEND);
  }
  void TearDown() override {
    ReleaseQuadBuffers(quad);
    glUseProgram(0);
    glDeleteProgram(layer);
    glDeleteProgram(overlay);
  }

  void SetFloat(const char* name, float value) { glUniform1f(glGetUniformLocation(layer, name), value); }

  // Makes the layer program current with every uniform at its neutral value for a texture of the size.
  void UseLayer(float hardwareW, float hardwareH, float maxU = 1.0f, float maxV = 1.0f) {
    glUseProgram(layer);
    glUniform1i(glGetUniformLocation(layer, "inputTexture"), 0);
    glUniform2f(glGetUniformLocation(layer, "HardwareSize"), hardwareW, hardwareH);
    glUniform2f(glGetUniformLocation(layer, "MaxUV"), maxU, maxV);
    glUniform2f(glGetUniformLocation(layer, "shift"), 0.0f, 0.0f);
    for (const char* name : {"aliased", "rot", "uv_mode", "link", "limitx", "limity"}) SetFloat(name, 0.0f);
    SetFloat("op", 1.0f);
    SetFloat("kaleido", 1.0f);
  }

  // Draws the full-frame quad with the texture window (u0..u1, v0..v1) and reads the target back.
  std::vector<uint8_t> Draw(const Target& target, const Gradient& texture, float u0 = 0.0f, float u1 = 1.0f,
                            float v0 = 0.0f, float v1 = 1.0f) {
    QuadVertex vertices[6];
    for (int i = 0; i < 6; ++i) {
      vertices[i] = kFullFrameQuad[i];
      vertices[i].u = u0 + kFullFrameQuad[i].u * (u1 - u0);
      vertices[i].v = v0 + kFullFrameQuad[i].v * (v1 - v0);
    }
    EXPECT_TRUE(UploadQuad(quad, vertices));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glViewport(0, 0, target.w, target.h);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindVertexArray(quad.vao);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    return target.Read();
  }

  // Pixel (x, y) of a read-back image of width w, y counted from the bottom.
  static Rgba At(const std::vector<uint8_t>& pixels, int w, int x, int y) {
    const size_t i = (static_cast<size_t>(y) * w + x) * 4;
    return {pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
  }

  static void ExpectPixel(const std::vector<uint8_t>& pixels, int w, int x, int y, Rgba expected) {
    const Rgba p = At(pixels, w, x, y);
    EXPECT_TRUE(p.r == expected.r && p.g == expected.g && p.b == expected.b && p.a == expected.a)
        << "pixel (" << x << ", " << y << ") is (" << p.r << ", " << p.g << ", " << p.b << ", " << p.a
        << "), expected (" << expected.r << ", " << expected.g << ", " << expected.b << ", " << expected.a << ")";
  }

  GLuint layer = 0;
  GLuint overlay = 0;
  QuadGeometry quad;
};

constexpr Rgba kClear{0, 0, 0, 0};

Rgba Texel(int x, int y) { return {x, y, 0, 255}; }

TEST_F(EffectPrograms, EveryUniformIsActiveWithItsType) {
  const struct {
    GLuint program;
    const char* name;
    GLenum type;
  } uniforms[] = {{layer, "inputTexture", GL_SAMPLER_2D}, {layer, "HardwareSize", GL_FLOAT_VEC2},
                  {layer, "MaxUV", GL_FLOAT_VEC2},        {layer, "shift", GL_FLOAT_VEC2},
                  {layer, "aliased", GL_FLOAT},           {layer, "rot", GL_FLOAT},
                  {layer, "op", GL_FLOAT},                {layer, "uv_mode", GL_FLOAT},
                  {layer, "kaleido", GL_FLOAT},           {layer, "link", GL_FLOAT},
                  {layer, "limitx", GL_FLOAT},            {layer, "limity", GL_FLOAT},
                  {overlay, "inputTexture", GL_SAMPLER_2D}, {overlay, "HardwareSize", GL_FLOAT_VEC2},
                  {overlay, "MaxUV", GL_FLOAT_VEC2}};
  for (const auto& uniform : uniforms) {
    const GLint location = glGetUniformLocation(uniform.program, uniform.name);
    EXPECT_NE(location, -1) << uniform.name;
    GLuint index = GL_INVALID_INDEX;
    glGetUniformIndices(uniform.program, 1, &uniform.name, &index);
    ASSERT_NE(index, GL_INVALID_INDEX) << uniform.name;
    GLint type = 0;
    glGetActiveUniformsiv(uniform.program, 1, &index, GL_UNIFORM_TYPE, &type);
    EXPECT_EQ(static_cast<GLenum>(type), uniform.type) << uniform.name;
  }
  GLint count = 0;
  glGetProgramiv(layer, GL_ACTIVE_UNIFORMS, &count);
  EXPECT_EQ(count, 12);
  glGetProgramiv(overlay, GL_ACTIVE_UNIFORMS, &count);
  EXPECT_EQ(count, 3);
  for (GLuint program : {layer, overlay}) {
    EXPECT_EQ(glGetAttribLocation(program, "position"), 0);
    EXPECT_EQ(glGetAttribLocation(program, "texCoord"), 1);
  }
  UseLayer(64, 64);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(EffectPrograms, NeutralUniformsShowThePictureUnchanged) {
  Gradient texture(64, 64, 64, 64, GL_NEAREST);
  Target target(64, 64);
  UseLayer(64, 64);
  const std::vector<uint8_t> pixels = Draw(target, texture);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const Rgba p = At(pixels, 64, x, y);
      ASSERT_TRUE(p.r == x && p.g == y && p.b == 0 && p.a == 255) << x << ", " << y;
    }
  }
}

TEST_F(EffectPrograms, ShiftMovesTheWindowAndTheTurningCentre) {
  Gradient texture(64, 64, 64, 64, GL_NEAREST);
  Target target(64, 64);
  UseLayer(64, 64);
  glUniform2f(glGetUniformLocation(layer, "shift"), 0.25f, 0.0f);
  // The quad's window moved by -0.25 (as the geometry computes it): pixel x shows texel x - 16, clamped.
  std::vector<uint8_t> pixels = Draw(target, texture, -0.25f, 0.75f);
  ExpectPixel(pixels, 64, 40, 10, Texel(24, 10));
  ExpectPixel(pixels, 64, 5, 10, Texel(0, 10));
  // Turning by 180 degrees about the window centre u = 0.25: texel 47 - x.
  SetFloat("rot", 180.0f);
  pixels = Draw(target, texture, -0.25f, 0.75f);
  ExpectPixel(pixels, 64, 40, 10, Texel(7, 53));
  ExpectPixel(pixels, 64, 10, 20, Texel(37, 43));
}

TEST_F(EffectPrograms, RotateInTurnsThePictureClockwise) {
  Gradient texture(64, 64, 64, 64, GL_NEAREST);
  Target target(64, 64);
  UseLayer(64, 64);
  SetFloat("rot", 90.0f);
  const std::vector<uint8_t> pixels = Draw(target, texture);
  // The picture's left edge comes to the top: pixel (x, y) shows texel (63 - y, x).
  ExpectPixel(pixels, 64, 32, 60, Texel(3, 32));
  ExpectPixel(pixels, 64, 10, 20, Texel(43, 10));
  ExpectPixel(pixels, 64, 50, 5, Texel(58, 50));
}

TEST_F(EffectPrograms, RotateInKeepsThePixelAspectOfTheInput) {
  // A 192x64 picture on a square target: 90 degrees map pixel (x, y) to texel (127 - y, 3x - 63).
  Gradient texture(192, 64, 192, 64, GL_NEAREST);
  Target target(64, 64);
  UseLayer(192, 64);
  SetFloat("rot", 90.0f);
  const std::vector<uint8_t> pixels = Draw(target, texture);
  ExpectPixel(pixels, 64, 30, 10, Texel(117, 27));
  ExpectPixel(pixels, 64, 25, 50, Texel(77, 12));
  ExpectPixel(pixels, 64, 40, 0, Texel(127, 57));
}

TEST_F(EffectPrograms, KaleidoscopeFoldsIntoMirroredWedges) {
  Gradient texture(64, 64, 64, 64, GL_NEAREST);
  Target target(64, 64);
  UseLayer(64, 64);
  SetFloat("kaleido", 2.0f);  // the lower half mirrors the upper half
  std::vector<uint8_t> pixels = Draw(target, texture);
  ExpectPixel(pixels, 64, 10, 50, Texel(10, 50));
  ExpectPixel(pixels, 64, 10, 13, Texel(10, 50));
  ExpectPixel(pixels, 64, 55, 2, Texel(55, 61));
  SetFloat("kaleido", 4.0f);  // every quadrant mirrors the upper right one
  pixels = Draw(target, texture);
  ExpectPixel(pixels, 64, 50, 45, Texel(50, 45));
  ExpectPixel(pixels, 64, 13, 45, Texel(50, 45));
  ExpectPixel(pixels, 64, 13, 18, Texel(50, 45));
  ExpectPixel(pixels, 64, 50, 18, Texel(50, 45));
}

TEST_F(EffectPrograms, UvModesDecideWhatLiesOutsideThePicture) {
  // The window spans -1..2: pixel x of 192 shows texture coordinate (x + 0.5) / 64 - 1.
  Gradient texture(64, 64, 64, 64, GL_NEAREST);
  Target target(192, 192);
  UseLayer(64, 64);
  const struct {
    float mode;
    Rgba left;   // x = 16: coordinate -0.7421875
    Rgba right;  // x = 150: coordinate 1.3515625
  } modes[] = {{0, Texel(0, 36), Texel(63, 36)},
               {1, Texel(16, 36), Texel(22, 36)},
               {2, Texel(47, 36), Texel(41, 36)},
               {3, kClear, kClear}};
  for (const auto& mode : modes) {
    SCOPED_TRACE(::testing::Message() << "uv_mode " << mode.mode);
    SetFloat("uv_mode", mode.mode);
    const std::vector<uint8_t> pixels = Draw(target, texture, -1.0f, 2.0f, -1.0f, 2.0f);
    ExpectPixel(pixels, 192, 16, 100, mode.left);
    ExpectPixel(pixels, 192, 150, 100, mode.right);
    ExpectPixel(pixels, 192, 100, 100, Texel(36, 36));
  }
}

TEST_F(EffectPrograms, LimitsCropTowardsTheCentre) {
  Gradient texture(64, 64, 64, 64, GL_NEAREST);
  Target target(64, 64);
  UseLayer(64, 64);
  SetFloat("limitx", 0.5f);  // keeps the middle half: x 16..47
  std::vector<uint8_t> pixels = Draw(target, texture);
  ExpectPixel(pixels, 64, 15, 0, kClear);
  ExpectPixel(pixels, 64, 16, 0, Texel(16, 0));
  ExpectPixel(pixels, 64, 47, 63, Texel(47, 63));
  ExpectPixel(pixels, 64, 48, 63, kClear);
  SetFloat("limitx", 0.0f);
  SetFloat("limity", 0.75f);  // keeps the middle quarter: y 24..39
  pixels = Draw(target, texture);
  ExpectPixel(pixels, 64, 0, 23, kClear);
  ExpectPixel(pixels, 64, 0, 24, Texel(0, 24));
  ExpectPixel(pixels, 64, 63, 39, Texel(63, 39));
  ExpectPixel(pixels, 64, 63, 40, kClear);
  SetFloat("limity", 1.0f);
  pixels = Draw(target, texture);
  ExpectPixel(pixels, 64, 32, 32, kClear);
  ExpectPixel(pixels, 64, 31, 31, kClear);
}

TEST_F(EffectPrograms, OpacityScalesColourAndAlpha) {
  Gradient texture(64, 64, 64, 64, GL_NEAREST);
  Target target(64, 64);
  UseLayer(64, 64);
  SetFloat("op", 0.5f);
  const std::vector<uint8_t> pixels = Draw(target, texture);
  const Rgba p = At(pixels, 64, 40, 20);
  EXPECT_EQ(p.r, 20);
  EXPECT_EQ(p.g, 10);
  EXPECT_EQ(p.b, 0);
  EXPECT_NEAR(p.a, 127.5, 0.5);
  SetFloat("op", 0.0f);
  ExpectPixel(Draw(target, texture), 64, 40, 20, kClear);
}

TEST_F(EffectPrograms, OnlyTheUsedPartOfTheTextureIsSampled) {
  // 128x128 allocated, 64x64 used; the unused texels are white.
  Gradient nearest(128, 128, 64, 64, GL_NEAREST);
  Target target(64, 64);
  UseLayer(128, 128, 0.5f, 0.5f);
  std::vector<uint8_t> pixels = Draw(target, nearest);
  ExpectPixel(pixels, 64, 0, 0, Texel(0, 0));
  ExpectPixel(pixels, 64, 63, 63, Texel(63, 63));
  ExpectPixel(pixels, 64, 40, 20, Texel(40, 20));
  // Filtered, zoomed out, turned and folded in every mode: the white border never shows.
  Gradient linear(128, 128, 64, 64, GL_LINEAR);
  SetFloat("rot", 30.0f);
  SetFloat("kaleido", 3.0f);
  for (float mode : {0.0f, 1.0f, 2.0f, 3.0f}) {
    for (float aliased : {0.0f, 1.0f}) {
      SetFloat("uv_mode", mode);
      SetFloat("aliased", aliased);
      pixels = Draw(target, linear, -1.0f, 2.0f, -0.5f, 1.5f);
      int white = 0;
      for (size_t i = 0; i < pixels.size(); i += 4) white += pixels[i + 2] != 0;
      EXPECT_EQ(white, 0) << "uv_mode " << mode << ", aliased " << aliased;
    }
  }
}

TEST_F(EffectPrograms, OverlayDrawsNothingVisible) {
  Gradient texture(64, 64, 64, 64, GL_NEAREST);
  Target target(16, 16);
  glUseProgram(overlay);
  glUniform1i(glGetUniformLocation(overlay, "inputTexture"), 0);
  glUniform2f(glGetUniformLocation(overlay, "HardwareSize"), 64, 64);
  glUniform2f(glGetUniformLocation(overlay, "MaxUV"), 1, 1);
  // Unblended, its output is transparent black everywhere.
  std::vector<uint8_t> pixels = Draw(target, texture);
  for (uint8_t byte : pixels) ASSERT_EQ(byte, 0);
  // Blended with one, one-minus-source-alpha over the frame, the frame stays as it was.
  ASSERT_TRUE(UploadQuad(quad, quad.overlayVertices));
  glClearColor(0.2f, 0.4f, 0.6f, 0.8f);
  glClear(GL_COLOR_BUFFER_BIT);
  const std::vector<uint8_t> before = target.Read();
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glDrawArrays(GL_TRIANGLES, 0, 6);
  glDisable(GL_BLEND);
  EXPECT_EQ(target.Read(), before);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
