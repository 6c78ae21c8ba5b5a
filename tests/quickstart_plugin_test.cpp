// The effect base's default pipeline on a real GL 4.1 core context: InitGL and DeInitGL with their
// hooks, built-in and parameter uniforms verified at the pixel, trigger reset and analyser updates.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "glsupport/gl.h"
#include "quickstart/plugin.h"
#include "tests/support/gl_test_context.h"

namespace {

using namespace quickstart;
using Pixel = std::vector<uint8_t>;

// Each pixel column of a 5x1 target shows one group of uniforms.
constexpr const char* kUniformProbe = R"(
in vec2 uv;
void main() {
  int column = int(gl_FragCoord.x);
  if (column == 0) {
    fragColor = vec4(frame == 1 ? 1.0 : 0.0, deltaTime == time && time > 0.0 ? 1.0 : 0.0,
                     resolution.x / 255.0, resolution.y / 255.0);
  } else if (column == 1) {
    fragColor = vec4(bpm / 255.0, phase, frame == 2 ? 1.0 : 0.0, deltaTime > 0.0 && deltaTime < time ? 1.0 : 0.0);
  } else if (column == 2) {
    fragColor = tint;
  } else if (column == 3) {
    fragColor = vec4(rgb, 1.0);
  } else {
    fragColor = vec4(flag ? 1.0 : 0.0, label + 0.4, go ? 1.0 : 0.0, 1.0);
  }
}
)";

// An effect that keeps the default pipeline and records its hooks.
class ProbePlugin : public Plugin {
 public:
  explicit ProbePlugin(std::string fragmentCode = kUniformProbe) {
    AddParam(Param::Create("tint", 0.0f, kTypeHue));
    AddParam(Param::Create("tintS", 0.0f, kTypeSaturation));
    AddParam(Param::Create("tintB", 0.0f, kTypeBrightness));
    AddParam(Param::Create("tintA", 0.0f, kTypeAlpha));
    AddParam(Param::Create("rgb", 0.0f, kTypeRed));
    AddParam(Param::Create("rgbG", 0.0f, kTypeGreen));
    AddParam(Param::Create("rgbB", 0.0f, kTypeBlue));
    AddParam(ParamBool::Create("flag", false));
    AddParam(ParamText::Create("label", "text"));
    AddParam(ParamTrigger::Create("go"));
    spectrum = AddAudioParam("spectrum", 6);
    SetVertexSource(testsupport::kPassThroughVertex);
    SetFragmentCode(std::move(fragmentCode));
  }

  using Plugin::SetVertexSource;
  using Plugin::Shader;
  using Plugin::Quad;
  using Plugin::Time;

  uint32_t Init() override {
    log += "Init;";
    return initResult;
  }
  void Update() override {
    log += "Update;";
    goDuringUpdate = GetFloatParameter(kGo);
  }
  uint32_t Render(const FrameRecord* frame) override {
    log += "Render;";
    const uint32_t drawn = Plugin::Render(frame);
    return renderResult == kStatusSuccess ? drawn : renderResult;
  }
  void Clean() override { log += "Clean;"; }

  static constexpr uint32_t kTint = 0, kRgb = 4, kFlag = 7, kLabel = 8, kGo = 9, kSpectrum = 10;
  std::shared_ptr<ParamBuffer> spectrum;
  std::string log;
  uint32_t initResult = kStatusSuccess;
  uint32_t renderResult = kStatusSuccess;
  float goDuringUpdate = -1.0f;
};

const ViewportRecord kViewport{0, 0, 64, 32};

class PluginPipelineTest : public testsupport::GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    target = std::make_unique<caller::RenderTarget>(5, 1);
    target->Clear(0, 0, 0, 0);
  }
  void TearDown() override { target.reset(); }

  Pixel Column(int x) const { return target->ReadPixel(x, 0); }

  std::unique_ptr<caller::RenderTarget> target;
};

TEST_F(PluginPipelineTest, BuiltInUniformsOnTheFirstAndSecondFrame) {
  ProbePlugin plugin;
  plugin.SetBeatInfo(128.0f, 0.2f);
  ASSERT_EQ(plugin.InitGL(&kViewport), kStatusSuccess);
  EXPECT_EQ(plugin.viewport.width, 64u);
  ASSERT_EQ(plugin.ProcessOpenGL(nullptr), kStatusSuccess);
  EXPECT_EQ(Column(0), (Pixel{255, 255, 64, 32}));  // frame 1, deltaTime == time > 0, resolution 64 x 32
  EXPECT_EQ(Column(1), (Pixel{128, 51, 0, 0}));  // bpm 128, phase 0.2
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  target->Clear(0, 0, 0, 0);
  ASSERT_EQ(plugin.ProcessOpenGL(nullptr), kStatusSuccess);
  EXPECT_EQ(Column(0)[0], 0);                        // frame is no longer 1
  EXPECT_EQ(Column(1), (Pixel{128, 51, 255, 255}));  // frame 2, 0 < deltaTime < time
  GLint current = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &current);
  EXPECT_EQ(current, 0);
  plugin.DeInitGL();
}

TEST_F(PluginPipelineTest, TimeCountsFromConstructionOnTheMonotonicClock) {
  ProbePlugin plugin;
  ASSERT_EQ(plugin.InitGL(&kViewport), kStatusSuccess);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  plugin.ProcessOpenGL(nullptr);
  EXPECT_GE(plugin.Time(), 0.06f);
  plugin.DeInitGL();
}

struct HsbaCase {
  float h, s, b, a;
  Pixel expected;
};

TEST_F(PluginPipelineTest, HsbaGroupIsConvertedToRgbWithAlpha) {
  ProbePlugin plugin;
  ASSERT_EQ(plugin.InitGL(&kViewport), kStatusSuccess);
  const HsbaCase cases[] = {
      {0.5f, 1.0f, 1.0f, 0.25f, {0, 255, 255, 64}},
      {0.7f, 0.0f, 0.4f, 1.0f, {102, 102, 102, 255}},
      {0.0f, 1.0f, 1.0f, 1.0f, {255, 0, 0, 255}},
      {1.0f, 1.0f, 1.0f, 1.0f, {255, 0, 0, 255}},
      {0.7f, 1.0f, 1.0f, 0.2f, {51, 0, 255, 51}},
  };
  for (const HsbaCase& c : cases) {
    plugin.SetFloatParameter(ProbePlugin::kTint, c.h);
    plugin.SetFloatParameter(ProbePlugin::kTint + 1, c.s);
    plugin.SetFloatParameter(ProbePlugin::kTint + 2, c.b);
    plugin.SetFloatParameter(ProbePlugin::kTint + 3, c.a);
    plugin.ProcessOpenGL(nullptr);
    EXPECT_EQ(Column(2), c.expected) << c.h << " " << c.s << " " << c.b << " " << c.a;
  }
  plugin.DeInitGL();
}

TEST_F(PluginPipelineTest, RgbBooleanTextAndTriggerUniforms) {
  ProbePlugin plugin;
  ASSERT_EQ(plugin.InitGL(&kViewport), kStatusSuccess);
  plugin.SetFloatParameter(ProbePlugin::kRgb, 1.0f);
  plugin.SetFloatParameter(ProbePlugin::kRgb + 1, 0.6f);
  plugin.SetFloatParameter(ProbePlugin::kRgb + 2, 0.2f);
  plugin.SetFloatParameter(ProbePlugin::kFlag, 0.3f);
  plugin.SetFloatParameter(ProbePlugin::kGo, 1.0f);
  plugin.ProcessOpenGL(nullptr);
  EXPECT_EQ(Column(3), (Pixel{255, 153, 51, 255}));
  EXPECT_EQ(Column(4), (Pixel{255, 102, 255, 255}));  // flag 0.3 is true, text uploads 0.0, trigger set
  EXPECT_EQ(plugin.goDuringUpdate, 1.0f);
  EXPECT_EQ(plugin.GetFloatParameter(ProbePlugin::kGo), 0.0f);  // reset after the frame
  EXPECT_EQ(plugin.GetFloatParameter(ProbePlugin::kFlag), 0.3f);

  plugin.SetFloatParameter(ProbePlugin::kFlag, 0.0f);
  plugin.ProcessOpenGL(nullptr);
  EXPECT_EQ(Column(4), (Pixel{0, 102, 0, 255}));
  plugin.DeInitGL();
}

TEST_F(PluginPipelineTest, RenderResultReachesTheHostAndTriggersResetAnyway) {
  ProbePlugin plugin;
  ASSERT_EQ(plugin.InitGL(&kViewport), kStatusSuccess);
  plugin.log.clear();
  plugin.renderResult = kStatusFailure;
  plugin.SetFloatParameter(ProbePlugin::kGo, 1.0f);
  EXPECT_EQ(plugin.ProcessOpenGL(nullptr), kStatusFailure);
  EXPECT_EQ(plugin.GetFloatParameter(ProbePlugin::kGo), 0.0f);
  EXPECT_EQ(plugin.log, "Update;Render;");
  plugin.DeInitGL();
}

TEST_F(PluginPipelineTest, AnalysersReadTheRegistryElementsEveryFrame) {
  ProbePlugin plugin;
  ASSERT_EQ(plugin.InitGL(&kViewport), kStatusSuccess);
  AudioAnalyser* analyser = plugin.FindAnalyser(plugin.spectrum);
  ASSERT_NE(analyser, nullptr);
  analyser->SetGain(1.0f);
  // The host writes element values of the buffer's registry entry.
  const std::vector<float> bins = {3, 4, 9, 1, 9, 2};
  ParamEntry* entry = plugin.FindParam(ProbePlugin::kSpectrum);
  for (size_t i = 0; i < bins.size(); ++i) entry->elements[i].value = bins[i];
  plugin.ProcessOpenGL(nullptr);
  EXPECT_EQ(plugin.spectrum->GetBins(), bins);
  EXPECT_EQ(analyser->GetBins(), bins);
  EXPECT_FLOAT_EQ(analyser->Low().level, std::sqrt((9.0f + 16.0f) / 2.0f) * 0.2f);
  EXPECT_FLOAT_EQ(analyser->Middle().level, 1.0f * 0.2f);
  EXPECT_FLOAT_EQ(analyser->High().level, 2.0f * 0.2f);
  plugin.DeInitGL();
}

TEST_F(PluginPipelineTest, DeInitGLReleasesEverythingAndRunsClean) {
  ProbePlugin plugin;
  ASSERT_EQ(plugin.InitGL(&kViewport), kStatusSuccess);
  EXPECT_NE(plugin.Shader().program(), 0u);
  EXPECT_NE(plugin.Quad().vertexArray(), 0u);
  EXPECT_EQ(plugin.DeInitGL(), kStatusSuccess);
  EXPECT_EQ(plugin.Shader().program(), 0u);
  EXPECT_EQ(plugin.Shader().vertexShader(), 0u);
  EXPECT_EQ(plugin.Quad().vertexArray(), 0u);
  EXPECT_EQ(plugin.Quad().buffer(), 0u);
  EXPECT_EQ(plugin.log, "Init;Clean;");
}

TEST_F(PluginPipelineTest, InitHookFailsInitGLOnlyWithTheFailureValue) {
  ProbePlugin failing;
  failing.initResult = kStatusFailure;
  EXPECT_EQ(failing.InitGL(&kViewport), kStatusFailure);
  EXPECT_EQ(failing.log, "Init;Clean;");
  EXPECT_EQ(failing.Shader().program(), 0u);
  EXPECT_EQ(failing.Quad().vertexArray(), 0u);
  EXPECT_EQ(failing.viewport.width, 0u);

  ProbePlugin odd;
  odd.initResult = 5;
  EXPECT_EQ(odd.InitGL(&kViewport), kStatusSuccess);
  EXPECT_EQ(odd.viewport.height, 32u);
  odd.DeInitGL();
}

TEST_F(PluginPipelineTest, CompileFailuresFailInitGLAfterCleaningUp) {
  ProbePlugin noVertex;
  noVertex.SetVertexSource("");
  testing::internal::CaptureStdout();
  EXPECT_EQ(noVertex.InitGL(&kViewport), kStatusFailure);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(noVertex.log, "Clean;");

  ProbePlugin badCode("void main() { fragColor = undefinedThing; }\n");
  testing::internal::CaptureStdout();
  EXPECT_EQ(badCode.InitGL(&kViewport), kStatusFailure);
  const std::string output = testing::internal::GetCapturedStdout();
  EXPECT_EQ(output.rfind("Fragment Shader error: ", 0), 0u) << output;
  EXPECT_EQ(badCode.log, "Clean;");
  EXPECT_EQ(badCode.Shader().fragmentShader(), 0u);
}

}  // namespace
