// Shader program, scoped bindings and the screen quad against a real GL 4.1 core context.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "glsupport/gl.h"
#include "glsupport/scoped_bindings.h"
#include "glsupport/screen_quad.h"
#include "glsupport/shader_program.h"
#include "tests/support/gl_call_spy.h"
#include "tests/support/gl_test_context.h"
#include "tools/caller/gl_context.h"

namespace {

using glsupport::ShaderProgram;
using testsupport::GlCallSpy;
using testsupport::kPassThroughVertex;

constexpr const char* kTintFragment = R"(#version 410 core
in vec2 uv;
out vec4 fragColor;
uniform vec4 tint;
uniform float unusedByOutput;
void main() { fragColor = tint; }
)";

constexpr const char* kUvFragment = R"(#version 410 core
in vec2 uv;
out vec4 fragColor;
void main() { fragColor = vec4(uv, 0.0, 1.0); }
)";

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

GLint Integer(GLenum query) {
  GLint value = -1;
  glGetIntegerv(query, &value);
  return value;
}

class ShaderProgramTest : public testsupport::GlTest {};

TEST_F(ShaderProgramTest, BuildsLinksAndFindsOnlyActiveUniforms) {
  ShaderProgram program;
  ASSERT_TRUE(program.Compile(kPassThroughVertex, kTintFragment));
  EXPECT_NE(program.vertexShader(), 0u);
  EXPECT_NE(program.fragmentShader(), 0u);
  EXPECT_NE(program.program(), 0u);
  GLint attached = 0;
  glGetProgramiv(program.program(), GL_ATTACHED_SHADERS, &attached);
  EXPECT_EQ(attached, 2);
  EXPECT_GE(program.FindUniform("tint"), 0);
  EXPECT_EQ(program.FindUniform("unusedByOutput"), -1);  // dropped by the compiler
  EXPECT_EQ(program.FindUniform("missing"), -1);
  program.FreeGLResources();
  EXPECT_EQ(program.vertexShader(), 0u);
  EXPECT_EQ(program.fragmentShader(), 0u);
  EXPECT_EQ(program.program(), 0u);
  program.FreeGLResources();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderProgramTest, EmptySourcesFailBeforeAnyObjectIsMade) {
  ShaderProgram program;
  GlCallSpy spy;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(program.Compile("", kTintFragment));
  EXPECT_FALSE(program.Compile(kPassThroughVertex, ""));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(spy.TotalCalls(), 0);
  EXPECT_EQ(program.program(), 0u);
}

TEST_F(ShaderProgramTest, VertexErrorReportsOnceSkipsFragmentAndLeavesProgramReusable) {
  ShaderProgram program;
  std::string output;
  {
    GlCallSpy spy;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(program.Compile("#version 410 core\nvoid main() { this is not glsl }\n", kTintFragment));
    output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(spy.Calls("glCreateShader"), 1);  // the fragment stage was never started
    EXPECT_EQ(spy.Calls("glCreateProgram"), 0);
    EXPECT_EQ(spy.Calls("glDeleteShader"), 1);
  }
  EXPECT_EQ(output.rfind("Vertex Shader error: ", 0), 0u) << output;
  EXPECT_EQ(Occurrences(output, "Shader error: "), 1u) << output;
  EXPECT_GT(output.size(), std::string("Vertex Shader error: \n").size());
  EXPECT_EQ(output.back(), '\n');
  EXPECT_EQ(program.vertexShader(), 0u);
  EXPECT_EQ(program.fragmentShader(), 0u);
  EXPECT_EQ(program.program(), 0u);

  ASSERT_TRUE(program.Compile(kPassThroughVertex, kTintFragment));
  EXPECT_GE(program.FindUniform("tint"), 0);
  program.FreeGLResources();
}

TEST_F(ShaderProgramTest, FragmentErrorReportsWithFragmentPrefixAndFreesBothShaders) {
  ShaderProgram program;
  GlCallSpy spy;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(program.Compile(kPassThroughVertex, "#version 410 core\nout vec4 c;\nvoid main() { c = 1; }\n"));
  const std::string output = testing::internal::GetCapturedStdout();
  EXPECT_EQ(output.rfind("Fragment Shader error: ", 0), 0u) << output;
  EXPECT_EQ(Occurrences(output, "Shader error: "), 1u) << output;
  EXPECT_EQ(spy.Calls("glDeleteShader"), 2);
  EXPECT_EQ(spy.Calls("glCreateProgram"), 0);
  EXPECT_EQ(program.fragmentShader(), 0u);
}

TEST_F(ShaderProgramTest, LinkFailureReportsLinkerLogWithFragmentPrefix) {
  // Both stages compile; the call to a declared but never defined function fails only at link time.
  constexpr const char* unresolved = R"(#version 410 core
out vec4 fragColor;
vec4 neverDefined();
void main() { fragColor = neverDefined(); }
)";
  ShaderProgram program;
  GlCallSpy spy;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(program.Compile(kPassThroughVertex, unresolved));
  const std::string output = testing::internal::GetCapturedStdout();
  EXPECT_EQ(output.rfind("Fragment Shader error: ", 0), 0u) << output;
  EXPECT_EQ(Occurrences(output, "Shader error: "), 1u) << output;
  EXPECT_NE(output.find("neverDefined"), std::string::npos) << output;
  EXPECT_EQ(spy.Calls("glAttachShader"), 2);
  EXPECT_EQ(spy.Calls("glDeleteShader"), 2);
  EXPECT_EQ(spy.Calls("glDeleteProgram"), 1);
  EXPECT_EQ(program.vertexShader(), 0u);
  EXPECT_EQ(program.fragmentShader(), 0u);
  EXPECT_EQ(program.program(), 0u);
}

TEST_F(ShaderProgramTest, FreeAndLookupOnNeverBuiltProgramMakeNoGLCall) {
  ShaderProgram program;
  testsupport::SharedContext().ReleaseCurrent();  // any GL call would now reach no context
  {
    GlCallSpy spy;
    program.FreeGLResources();
    program.FreeGLResources();
    EXPECT_EQ(program.FindUniform("time"), -1);
    EXPECT_EQ(spy.TotalCalls(), 0);
  }
  ASSERT_TRUE(testsupport::SharedContext().MakeCurrent());
}

class ScopedBindingTest : public testsupport::GlTest {};

TEST_F(ScopedBindingTest, BufferScopesBindZeroOnEndEvenOverAnEarlierBinding) {
  GLuint buffers[2] = {};
  glGenBuffers(2, buffers);
  glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
  {
    glsupport::ScopedVBOBinding scope(buffers[1]);
    EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(buffers[1]));
  }
  EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0);

  glBindBuffer(GL_COPY_READ_BUFFER, buffers[0]);
  {
    glsupport::ScopedBufferBinding scope(GL_COPY_READ_BUFFER, buffers[1]);
    EXPECT_EQ(Integer(GL_COPY_READ_BUFFER_BINDING), static_cast<GLint>(buffers[1]));
  }
  EXPECT_EQ(Integer(GL_COPY_READ_BUFFER_BINDING), 0);
  glDeleteBuffers(2, buffers);
}

TEST_F(ScopedBindingTest, TextureScopesBindZeroToTheirTarget) {
  GLuint textures[4] = {};  // two for each target: a texture keeps the first target it was bound to
  glGenTextures(4, textures);
  glBindTexture(GL_TEXTURE_2D, textures[0]);
  {
    glsupport::Scoped2DTextureBinding scope(textures[1]);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(textures[1]));
  }
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), 0);
  glBindTexture(GL_TEXTURE_3D, textures[2]);
  {
    glsupport::ScopedTextureBinding scope(GL_TEXTURE_3D, textures[3]);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_3D), static_cast<GLint>(textures[3]));
  }
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_3D), 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glDeleteTextures(4, textures);
}

TEST_F(ScopedBindingTest, ProgramVertexArrayAndTextureUnitScopesReturnToZero) {
  ShaderProgram first, second;
  ASSERT_TRUE(first.Compile(kPassThroughVertex, kTintFragment));
  ASSERT_TRUE(second.Compile(kPassThroughVertex, kUvFragment));
  GLuint arrays[2] = {};
  glGenVertexArrays(2, arrays);

  glUseProgram(first.program());
  glBindVertexArray(arrays[0]);
  glActiveTexture(GL_TEXTURE2);
  {
    glsupport::ScopedShaderBinding programScope(second.program());
    glsupport::ScopedVAOBinding arrayScope(arrays[1]);
    glsupport::ScopedActiveTextureUnit unitScope(3);
    EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), static_cast<GLint>(second.program()));
    EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), static_cast<GLint>(arrays[1]));
    EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
  }
  EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), 0);
  EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), 0);
  EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);

  glDeleteVertexArrays(2, arrays);
  first.FreeGLResources();
  second.FreeGLResources();
}

TEST_F(ScopedBindingTest, EndScopeThenDestructionUnbindsExactlyOnce) {
  GLuint buffer = 0, array = 0, texture = 0;
  glGenBuffers(1, &buffer);
  glGenVertexArrays(1, &array);
  glGenTextures(1, &texture);
  GlCallSpy spy;
  {
    glsupport::ScopedVBOBinding bufferScope(buffer);
    glsupport::ScopedVAOBinding arrayScope(array);
    glsupport::Scoped2DTextureBinding textureScope(texture);
    glsupport::ScopedShaderBinding programScope(0);
    glsupport::ScopedActiveTextureUnit unitScope(1);
    bufferScope.EndScope();
    arrayScope.EndScope();
    textureScope.EndScope();
    programScope.EndScope();
    unitScope.EndScope();
    bufferScope.EndScope();
    EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0);
  }
  EXPECT_EQ(spy.Calls("glBindBuffer(0)"), 1);
  EXPECT_EQ(spy.Calls("glBindVertexArray(0)"), 1);
  EXPECT_EQ(spy.Calls("glBindTexture(0)"), 1);
  EXPECT_EQ(spy.Calls("glUseProgram(0)"), 2);  // once to bind program 0, once to end
  EXPECT_EQ(spy.Calls("glActiveTexture(" + std::to_string(GL_TEXTURE0) + ")"), 1);
  glDeleteBuffers(1, &buffer);
  glDeleteVertexArrays(1, &array);
  glDeleteTextures(1, &texture);
}

class ScreenQuadTest : public testsupport::GlTest {};

TEST_F(ScreenQuadTest, UploadsTheFixedVertexTableAndLeavesNothingBound) {
  const std::vector<float> expected = {0, 1, -1, 1, 0, 1, 1, 1, 1, 0, 0, 0, -1, -1, 0,
                                       0, 0, -1, -1, 0, 1, 1, 1, 1, 0, 1, 0, 1, -1, 0};
  glsupport::ScreenQuad quad;
  ASSERT_TRUE(quad.Initialise());
  EXPECT_NE(quad.vertexArray(), 0u);
  EXPECT_NE(quad.buffer(), 0u);
  EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0);
  EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), 0);

  std::vector<float> uploaded(30, -7.0f);
  glBindBuffer(GL_ARRAY_BUFFER, quad.buffer());
  GLint size = 0;
  glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
  EXPECT_EQ(size, 120);
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, 120, uploaded.data());
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  EXPECT_EQ(uploaded, expected);

  glBindVertexArray(quad.vertexArray());
  testsupport::ExpectScreenQuadAttributes();
  glBindVertexArray(0);

  quad.Release();
  EXPECT_EQ(quad.vertexArray(), 0u);
  EXPECT_EQ(quad.buffer(), 0u);
  quad.Release();
}

TEST_F(ScreenQuadTest, FillsTheViewportWithTexCoordOriginAtBottomLeft) {
  caller::RenderTarget target(64, 64);
  ASSERT_TRUE(target.complete());
  target.Clear(0, 0, 1, 0);
  ShaderProgram program;
  ASSERT_TRUE(program.Compile(kPassThroughVertex, kUvFragment));
  glsupport::ScreenQuad quad;
  ASSERT_TRUE(quad.Initialise());
  {
    glsupport::ScopedShaderBinding scope(program.program());
    quad.Draw();
  }
  const std::vector<uint8_t> pixels = target.ReadPixels();
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const uint8_t* p = &pixels[(static_cast<size_t>(y) * 64 + x) * 4];
      // Texture coordinates at pixel centres are (x + 0.5) / 64 and (y + 0.5) / 64.
      ASSERT_NEAR(p[0], (x + 0.5) / 64.0 * 255.0, 1.0) << x << "," << y;
      ASSERT_NEAR(p[1], (y + 0.5) / 64.0 * 255.0, 1.0) << x << "," << y;
      ASSERT_EQ(p[2], 0) << x << "," << y;
      ASSERT_EQ(p[3], 255) << x << "," << y;
    }
  }
  EXPECT_EQ(target.ReadPixel(0, 0), (std::vector<uint8_t>{2, 2, 0, 255}));
  EXPECT_EQ(target.ReadPixel(63, 63), (std::vector<uint8_t>{253, 253, 0, 255}));
  EXPECT_EQ(target.ReadPixel(63, 0), (std::vector<uint8_t>{253, 2, 0, 255}));
  quad.Release();
  program.FreeGLResources();
}

TEST_F(ScreenQuadTest, DrawBeforeInitialiseOrAfterReleaseDrawsNothing) {
  caller::RenderTarget target(8, 8);
  target.Clear(0, 0, 1, 0);
  ShaderProgram program;
  ASSERT_TRUE(program.Compile(kPassThroughVertex, kUvFragment));
  glsupport::ScopedShaderBinding scope(program.program());
  glsupport::ScreenQuad quad;
  GlCallSpy spy;
  quad.Draw();
  ASSERT_TRUE(quad.Initialise());
  quad.Release();
  quad.Draw();
  EXPECT_EQ(spy.Calls("glDrawArrays"), 0);
  EXPECT_EQ(spy.Calls("glBindVertexArray"), 2);  // Initialise's scope only
  EXPECT_EQ(target.ReadPixel(4, 4), (std::vector<uint8_t>{0, 0, 255, 0}));
  scope.EndScope();
  program.FreeGLResources();
}

}  // namespace
