// The effect's programs and quad buffer: what InitGL builds, what a failure leaves, what DeInitGL releases.
#include <gtest/gtest.h>

#include "glsupport/host_gl.h"

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "effect/qm_plugin.h"
#include "effect/shader_sources.h"
#include "tools/caller/documents_folder.h"
#include "tests/support/qm_plugin_inside.h"
#include "tests/support/replaceable_program_sources.h"
#include "tests/support/shared_context.h"

namespace {

class EffectGLResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    documents = new caller::DocumentsFolder();
    ASSERT_TRUE(testsupport::SharedContext().valid()) << testsupport::SharedContext().error();
  }
  static void TearDownTestSuite() {
    delete documents;
  }
  void TearDown() override { testsupport::replacedProgramSources = nullptr; }
  static void ExpectNoGLObjects(QmPlugin& plugin) {
    const QmPluginInside inside = testsupport::Inside(plugin);
    EXPECT_EQ(inside.layerProgram.program(), 0u);
    EXPECT_EQ(inside.layerProgram.vertexShader(), 0u);
    EXPECT_EQ(inside.layerProgram.fragmentShader(), 0u);
    EXPECT_EQ(inside.overlayProgram.program(), 0u);
    EXPECT_EQ(inside.overlayProgram.vertexShader(), 0u);
    EXPECT_EQ(inside.overlayProgram.fragmentShader(), 0u);
    EXPECT_EQ(inside.quadGeometry.vao, 0u);
    EXPECT_EQ(inside.quadGeometry.vbo, 0u);
  }
  // Each location the render pass keeps beside the uniform name it stands for.
  static std::vector<std::pair<int32_t, const char*>> LayerLocations(QmPlugin& plugin) {
    const LayerUniforms& u = testsupport::Inside(plugin).layerUniforms;
    return {{u.input.inputTexture, "inputTexture"}, {u.input.hardwareSize, "HardwareSize"}, {u.input.maxUV, "MaxUV"},
            {u.shift, "shift"}, {u.aliased, "aliased"}, {u.rot, "rot"}, {u.op, "op"}, {u.uvMode, "uv_mode"},
            {u.kaleido, "kaleido"}, {u.link, "link"}, {u.limitX, "limitx"}, {u.limitY, "limity"}};
  }
  static std::vector<std::pair<int32_t, const char*>> OverlayLocations(QmPlugin& plugin) {
    const InputUniforms& u = testsupport::Inside(plugin).overlayUniforms;
    return {{u.inputTexture, "inputTexture"}, {u.hardwareSize, "HardwareSize"}, {u.maxUV, "MaxUV"}};
  }
  // The kept locations are those the linked programs report now; with `active`, every one is a uniform's.
  static void ExpectLocationsOfTheLinkedPrograms(QmPlugin& plugin, bool active) {
    const QmPluginInside inside = testsupport::Inside(plugin);
    for (const auto& [kept, name] : LayerLocations(plugin)) {
      EXPECT_EQ(kept, glGetUniformLocation(inside.layerProgram.program(), name)) << name;
      if (active) {
        EXPECT_GE(kept, 0) << name;
      }
    }
    for (const auto& [kept, name] : OverlayLocations(plugin)) {
      EXPECT_EQ(kept, glGetUniformLocation(inside.overlayProgram.program(), name)) << name;
      if (active) {
        EXPECT_GE(kept, 0) << name;
      }
    }
  }
  static GLint Binding(GLenum which) {
    GLint value = -1;
    glGetIntegerv(which, &value);
    return value;
  }
  static caller::DocumentsFolder* documents;
};
caller::DocumentsFolder* EffectGLResources::documents = nullptr;

TEST_F(EffectGLResources, InitGLBuildsBothProgramsAndTheFullFrameQuadAndLeavesNothingBound) {
  QmPlugin plugin;
  ViewportRecord vp{0, 0, 640, 360};
  ASSERT_EQ(plugin.InitGL(&vp), kStatusSuccess);
  EXPECT_NE(testsupport::Inside(plugin).layerProgram.program(), 0u);
  EXPECT_NE(testsupport::Inside(plugin).overlayProgram.program(), 0u);
  EXPECT_TRUE(glIsVertexArray(testsupport::Inside(plugin).quadGeometry.vao));
  EXPECT_TRUE(glIsBuffer(testsupport::Inside(plugin).quadGeometry.vbo));
  EXPECT_EQ(plugin.viewport.width, 640u);
  EXPECT_EQ(plugin.viewport.height, 360u);
  EXPECT_EQ(Binding(GL_VERTEX_ARRAY_BINDING), 0);
  EXPECT_EQ(Binding(GL_ARRAY_BUFFER_BINDING), 0);
  ExpectLocationsOfTheLinkedPrograms(plugin, true);

  const float expected[30] = {0, 1, -1, 1, 0, 1, 1, 1, 1, 0, 0, 0, -1, -1, 0,
                              0, 0, -1, -1, 0, 1, 1, 1, 1, 0, 1, 0, 1, -1, 0};
  float stored[30] = {};
  glBindBuffer(GL_ARRAY_BUFFER, testsupport::Inside(plugin).quadGeometry.vbo);
  GLint size = 0;
  glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof stored, stored);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  EXPECT_EQ(size, 120);
  EXPECT_EQ(std::memcmp(stored, expected, sizeof stored), 0);
  EXPECT_EQ(std::memcmp(testsupport::Inside(plugin).quadGeometry.overlayVertices, expected, sizeof expected), 0);

  // Attribute 0 is the position (3 floats from byte 8), attribute 1 the texture coordinate (2 floats from 0).
  glBindVertexArray(testsupport::Inside(plugin).quadGeometry.vao);
  GLint components = 0, stride = 0;
  void* offset = nullptr;
  glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_SIZE, &components);
  glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
  glGetVertexAttribPointerv(0, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
  EXPECT_EQ(components, 3);
  EXPECT_EQ(stride, 20);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(offset), 8u);
  glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_SIZE, &components);
  glGetVertexAttribPointerv(1, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
  EXPECT_EQ(components, 2);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(offset), 0u);
  glBindVertexArray(0);

  const GLuint program = testsupport::Inside(plugin).layerProgram.program();
  const GLuint buffer = testsupport::Inside(plugin).quadGeometry.vbo;
  EXPECT_EQ(plugin.DeInitGL(), kStatusSuccess);
  ExpectNoGLObjects(plugin);
  EXPECT_FALSE(glIsProgram(program));
  EXPECT_FALSE(glIsBuffer(buffer));
  for (const auto& [kept, name] : LayerLocations(plugin)) EXPECT_EQ(kept, -1) << name;
  for (const auto& [kept, name] : OverlayLocations(plugin)) EXPECT_EQ(kept, -1) << name;
  EXPECT_EQ(plugin.DeInitGL(), kStatusSuccess);  // nothing left: still fine
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // A program built again brings its own locations: one whose fragment stage reads "op" alone has no others.
  EffectSources opOnly{SourceText(ShaderSource::LayerVertex),
                       "#version 410 core\nuniform float op;\nout vec4 colour;\nvoid main() { colour = vec4(op); }\n",
                       SourceText(ShaderSource::OverlayVertex), SourceText(ShaderSource::OverlayFragment)};
  testsupport::replacedProgramSources = &opOnly;
  ASSERT_EQ(plugin.InitGL(&vp), kStatusSuccess);
  ExpectLocationsOfTheLinkedPrograms(plugin, false);
  EXPECT_GE(testsupport::Inside(plugin).layerUniforms.op, 0);
  EXPECT_EQ(testsupport::Inside(plugin).layerUniforms.rot, -1);
  plugin.DeInitGL();
  testsupport::replacedProgramSources = nullptr;
  ASSERT_EQ(plugin.InitGL(&vp), kStatusSuccess);
  ExpectLocationsOfTheLinkedPrograms(plugin, true);
  plugin.DeInitGL();
}

TEST_F(EffectGLResources, AFailingOverlayProgramLeavesNothingBehind) {
  QmPlugin plugin;
  EffectSources sources{SourceText(ShaderSource::LayerVertex), SourceText(ShaderSource::LayerFragment),
                        SourceText(ShaderSource::OverlayVertex), "#version 410 core\nvoid main() { oops }\n"};
  testsupport::replacedProgramSources = &sources;
  ViewportRecord vp{0, 0, 64, 36};
  testing::internal::CaptureStdout();
  EXPECT_EQ(plugin.InitGL(&vp), kStatusFailure);
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed.rfind("Fragment Shader error: ", 0), 0u) << printed;
  ExpectNoGLObjects(plugin);
  EXPECT_EQ(plugin.viewport.width, 0u);  // the viewport is not taken on failure
  EXPECT_EQ(plugin.DeInitGL(), kStatusSuccess);  // the host calls it again after a failed InitGL
  ExpectNoGLObjects(plugin);
  EXPECT_EQ(Binding(GL_CURRENT_PROGRAM), 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  testsupport::replacedProgramSources = nullptr;  // the same instance builds afterwards
  EXPECT_EQ(plugin.InitGL(&vp), kStatusSuccess);
  plugin.DeInitGL();
}

TEST_F(EffectGLResources, AFailingLayerProgramNeverBuildsTheOverlay) {
  QmPlugin plugin;
  EffectSources sources{"#version 410 core\nvoid main() { gl_Position = vec4(0.0) }\n",
                        SourceText(ShaderSource::LayerFragment), SourceText(ShaderSource::OverlayVertex),
                        SourceText(ShaderSource::OverlayFragment)};
  testsupport::replacedProgramSources = &sources;
  ViewportRecord vp{0, 0, 64, 36};
  testing::internal::CaptureStdout();
  EXPECT_EQ(plugin.InitGL(&vp), kStatusFailure);
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed.rfind("Vertex Shader error: ", 0), 0u) << printed;
  EXPECT_EQ(printed.find("Vertex Shader error: ", 1), std::string::npos);  // reported once
  ExpectNoGLObjects(plugin);
}

TEST_F(EffectGLResources, InitGLWithoutViewportFailsCleanly) {
  QmPlugin plugin;
  EXPECT_EQ(plugin.InitGL(nullptr), kStatusFailure);
  ExpectNoGLObjects(plugin);
}

}  // namespace
