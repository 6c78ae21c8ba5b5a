// What one frame with 24 enabled layers costs: the effect through plugMain (code 17) against a lean
// baseline that issues the same draws with the same programs, cached uniform locations and one buffer
// upload per draw. CPU cost of the call alone, and the whole frame with glFinish.
#include <benchmark/benchmark.h>

#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "bench/clocks.h"
#include "effect/quad_geometry.h"
#include "effect/shader_sources.h"
#include "presets/preset_reader.h"
#include "tests/support/preset_writer.h"
#include "tools/caller/documents_folder.h"
#include "tools/caller/gl_context.h"
#include "tools/caller/plugin_module.h"

namespace {

using benchclock::ThreadSeconds;

constexpr int kLayers = 24;

// Two screens of six slices each: list positions 1 and 8 are the screens, 2-7 and 9-14 the slices.
std::string TwelveSlicePreset() {
  std::vector<testsupport::PresetScreen> screens;
  for (int screen = 0; screen < 2; ++screen) {
    screens.push_back({"Screen " + std::to_string(screen + 1), {}});
    for (int slice = 0; slice < 6; ++slice) {
      const float x0 = static_cast<float>(slice * 320), y0 = static_cast<float>(screen * 540 + 20);
      const testsupport::PresetCorners box = testsupport::Box(x0, y0, x0 + 300, y0 + 480);
      screens.back().slices.push_back({"S" + std::to_string(screen * 6 + slice), box, box});
    }
  }
  testsupport::PresetStyle style;
  style.documentName = "Bench";
  return testsupport::PresetXml(screens, style);
}

// One layer's settings, sent to the effect by name and mirrored by the baseline.
struct LayerSetting {
  float alpha, opacity, sliceOutput, sliceSample, positionX, positionY, width, height, rotateOut, scaling;
  float sampleX, sampleY, ratio, rotateIn, scaleIn, kaleidoscope;
};

// Twelve free layers of varied placement, then twelve on slices (every third also mapping a second slice).
std::vector<LayerSetting> BenchLayers() {
  std::vector<LayerSetting> layers;
  const float slicePositions[12] = {2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14};
  for (int k = 1; k <= kLayers; ++k) {
    LayerSetting s{};
    s.alpha = static_cast<float>(k % 2);
    s.opacity = 0.8f;
    s.width = 480;
    s.height = 270;
    s.scaleIn = 0.1f;
    s.kaleidoscope = static_cast<float>(1 + (k % 4) * 2);
    s.rotateIn = static_cast<float>(k * 10);
    s.sampleX = 0.01f * static_cast<float>(k);
    s.ratio = k % 3 == 0 ? 0.25f : 0.0f;
    if (k <= 12) {
      s.positionX = static_cast<float>((k - 6) * 120);
      s.positionY = static_cast<float>((k % 4 - 2) * 150);
      s.rotateOut = static_cast<float>(k * 15 - 90);
      s.scaling = static_cast<float>(k % 4);
    } else {
      s.sliceOutput = slicePositions[k - 13];
      s.sliceSample = k % 3 == 0 ? slicePositions[(k - 12) % 12] : 0.0f;
    }
    layers.push_back(s);
  }
  return layers;
}

// The module, one instance per viewport size, its render target and input; shared by all benchmarks.
struct EffectRig {
  caller::DocumentsFolder documents;
  std::string presetPath;
  caller::PluginModule module;
  caller::GlContext context;
  std::unique_ptr<caller::Texture> input;
  TextureRecord texture{1920, 1080, 1920, 1080, 0};
  TextureRecord* textures[1] = {&texture};
  FrameRecord frame{1, textures};
  std::string error;

  EffectRig() {
    presetPath = documents.WritePreset("Host", "bench.xml", TwelveSlicePreset(), 1700000000000);
    if (!module.Load(MOSARO_PRODUCT_MODULE)) error = module.error();
    else if (!context.Create()) error = context.error();
    if (!error.empty()) return;
    std::vector<uint8_t> pixels(1920u * 1080u * 4u);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7 / 5);
    input = std::make_unique<caller::Texture>(1920, 1080, pixels);
    texture.handle = input->name();
  }

  // A fresh instance for the viewport with the 24 bench layers enabled; null with error set on failure.
  void* MakeInstance(int width, int height) {
    const ViewportRecord viewport{0, 0, static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
    void* instance = module.Instantiate(&viewport);
    if (!instance) {
      error = "instantiation failed";
      return nullptr;
    }
    const std::vector<LayerSetting> layers = BenchLayers();
    for (int k = 1; k <= kLayers; ++k) {
      const LayerSetting& s = layers[static_cast<size_t>(k - 1)];
      const std::string n = " " + std::to_string(k);
      const std::pair<const char*, float> values[] = {
          {"Enable", 1.0f},           {"Alpha", s.alpha},       {"Opacity", s.opacity},
          {"Slice Output", s.sliceOutput}, {"Slice Sample", s.sliceSample}, {"Position X", s.positionX},
          {"Position Y", s.positionY}, {"Width", s.width},      {"Height", s.height},
          {"Rotate Out", s.rotateOut}, {"Scaling", s.scaling},  {"Sample X", s.sampleX},
          {"Sample Y", s.sampleY},    {"Ratio", s.ratio},       {"Rotate In", s.rotateIn},
          {"Scale In", s.scaleIn},    {"Kaleidoscope", s.kaleidoscope}};
      for (const auto& [name, value] : values) {
        const int64_t index = module.FindParameter(name + n);
        if (index < 0 || module.SetFloat(instance, static_cast<uint32_t>(index), value) != kStatusSuccess)
          error = std::string("cannot set ") + name + n;
      }
    }
    return error.empty() ? instance : nullptr;
  }
};

EffectRig& Rig() {
  static EffectRig rig;
  return rig;
}

// The same frame issued directly: the effect's own programs, locations looked up once, one upload per draw.
class Baseline {
 public:
  Baseline(int width, int height, const std::vector<SliceRecord>& slices) {
    layerProgram = Build(SourceText(ShaderSource::LayerVertex), SourceText(ShaderSource::LayerFragment));
    overlayProgram = Build(SourceText(ShaderSource::OverlayVertex), SourceText(ShaderSource::OverlayFragment));
    for (int i = 0; i < 3; ++i) frameUniforms[i] = glGetUniformLocation(layerProgram, kFrameNames[i]);
    for (int i = 0; i < 9; ++i) layerUniforms[i] = glGetUniformLocation(layerProgram, kLayerNames[i]);
    for (int i = 0; i < 3; ++i) overlayUniforms[i] = glGetUniformLocation(overlayProgram, kFrameNames[i]);
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &vbo);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, kQuadBytes, kFullFrameQuad, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(QuadVertex), reinterpret_cast<const void*>(8));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(QuadVertex), nullptr);
    glBindVertexArray(0);
    layers = BenchLayers();
    for (const LayerSetting& s : layers) {
      QuadInput quad;
      quad.frameWidth = static_cast<float>(width);
      quad.frameHeight = static_cast<float>(height);
      quad.positionX = s.positionX;
      quad.positionY = s.positionY;
      quad.width = s.width;
      quad.height = s.height;
      quad.sampleX = s.sampleX;
      quad.sampleY = s.sampleY;
      quad.scaleIn = s.scaleIn;
      quad.rotateOut = s.rotateOut;
      quad.ratio = s.ratio;
      quad.scaling = s.scaling;
      quad.outputIndex = s.sliceOutput;
      quad.sampleIndex = s.sliceSample;
      const QuadResult result = ComputeQuadVertices(quad, slices);
      quads.push_back(result);
    }
  }
  Baseline(const Baseline&) = delete;
  Baseline& operator=(const Baseline&) = delete;
  ~Baseline() {
    glDeleteBuffers(1, &vbo);
    glDeleteVertexArrays(1, &vao);
    glDeleteProgram(layerProgram);
    glDeleteProgram(overlayProgram);
  }
  bool ok() const { return layerProgram != 0 && overlayProgram != 0; }

  // One frame: 24 layer draws and the overlay draw, as the effect issues them.
  void Draw(const TextureRecord& input) const {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, input.handle);
    glUseProgram(layerProgram);
    SetFrameUniforms(frameUniforms, input);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    for (size_t k = 0; k < layers.size(); ++k) {
      const LayerSetting& s = layers[k];
      glUniform2f(layerUniforms[0], s.sampleX, s.sampleY);
      glUniform1f(layerUniforms[1], 0.0f);
      glUniform1f(layerUniforms[2], s.rotateIn);
      glUniform1f(layerUniforms[3], s.opacity);
      glUniform1f(layerUniforms[4], 2.0f);
      glUniform1f(layerUniforms[5], s.kaleidoscope);
      glUniform1f(layerUniforms[6], 0.0f);
      glUniform1f(layerUniforms[7], 0.0f);
      glUniform1f(layerUniforms[8], 0.0f);
      if (s.alpha == 0.0f) {
        glDisable(GL_BLEND);
      } else {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
      }
      if (!quads[k].ok()) continue;
      glBufferData(GL_ARRAY_BUFFER, kQuadBytes, quads[k].vertices, GL_STREAM_DRAW);
      glDrawArrays(GL_TRIANGLES, 0, 6);
    }
    glUseProgram(overlayProgram);
    SetFrameUniforms(overlayUniforms, input);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glBufferData(GL_ARRAY_BUFFER, kQuadBytes, kFullFrameQuad, GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glUseProgram(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_BLEND);
  }

 private:
  static constexpr const char* kFrameNames[3] = {"inputTexture", "HardwareSize", "MaxUV"};
  static constexpr const char* kLayerNames[9] = {"shift",   "aliased", "rot",    "op",    "uv_mode",
                                                 "kaleido", "link",    "limitx", "limity"};

  static void SetFrameUniforms(const GLint (&locations)[3], const TextureRecord& input) {
    glUniform1i(locations[0], 0);
    glUniform2f(locations[1], static_cast<float>(input.hardwareWidth), static_cast<float>(input.hardwareHeight));
    glUniform2f(locations[2], 1.0f, 1.0f);
  }

  static GLuint Build(const std::string& vertex, const std::string& fragment) {
    GLuint program = glCreateProgram();
    const std::string* sources[2] = {&vertex, &fragment};
    const GLenum kinds[2] = {GL_VERTEX_SHADER, GL_FRAGMENT_SHADER};
    for (int i = 0; i < 2; ++i) {
      GLuint shader = glCreateShader(kinds[i]);
      const char* text = sources[i]->c_str();
      glShaderSource(shader, 1, &text, nullptr);
      glCompileShader(shader);
      glAttachShader(program, shader);
      glDeleteShader(shader);
    }
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) return program;
    glDeleteProgram(program);
    return 0;
  }

  GLuint layerProgram = 0;
  GLuint overlayProgram = 0;
  GLint frameUniforms[3] = {};
  GLint layerUniforms[9] = {};
  GLint overlayUniforms[3] = {};
  GLuint vao = 0;
  GLuint vbo = 0;
  std::vector<LayerSetting> layers;
  std::vector<QuadResult> quads;
};

// The first frames are not timed: the driver compiles its shader variants for each state they meet.
template <typename Frame>
void WarmUp(Frame frame) {
  for (int i = 0; i < 3; ++i) frame();
  glFinish();
}

// A fresh effect instance and a baseline checked to draw the same pixels, for one viewport.
struct FramePair {
  EffectRig& rig = Rig();
  caller::RenderTarget target;
  OutputSetup setup;
  std::unique_ptr<Baseline> baseline;
  void* instance = nullptr;
  std::string error;

  FramePair(int width, int height) : target(width, height) {
    if (!rig.error.empty()) {
      error = rig.error;
      return;
    }
    ReadPreset(setup, rig.presetPath);
    baseline = std::make_unique<Baseline>(width, height, setup.slices);
    instance = rig.MakeInstance(width, height);
    if (!instance) error = rig.error;
    else if (!baseline->ok() || setup.slices.size() != 14) error = "the baseline could not be built";
    else if (DifferingPixels(width, height) != 0) error = "the baseline does not draw the effect's frame";
    target.Bind();
  }
  FramePair(const FramePair&) = delete;
  FramePair& operator=(const FramePair&) = delete;
  ~FramePair() {
    if (instance) rig.module.DeInstantiate(instance);
  }

  bool DrawEffect() { return rig.module.ProcessFrame(instance, &rig.frame) == kStatusSuccess; }
  void DrawBaseline() { baseline->Draw(rig.texture); }

 private:
  // Pixels that differ between one effect frame and one baseline frame, each over opaque black.
  size_t DifferingPixels(int width, int height) {
    caller::RenderTarget effectTarget(width, height);
    effectTarget.Clear(0.0f, 0.0f, 0.0f, 1.0f);
    DrawEffect();
    const std::vector<uint8_t> effectPixels = effectTarget.ReadPixels();
    caller::RenderTarget baselineTarget(width, height);
    baselineTarget.Clear(0.0f, 0.0f, 0.0f, 1.0f);
    DrawBaseline();
    const std::vector<uint8_t> baselinePixels = baselineTarget.ReadPixels();
    size_t differing = 0;
    for (size_t i = 0; i < effectPixels.size(); i += 4)
      differing += std::memcmp(&effectPixels[i], &baselinePixels[i], 4) != 0;
    return differing;
  }
};

// CPU cost of one frame call without glFinish, effect and baseline alternating in every iteration so that
// both meet the same conditions; the rendering is finished outside the timed parts. Reported time: the
// effect's call; counters: both, in microseconds, and their ratio.
void BM_FrameCallCpu(benchmark::State& state) {
  FramePair pair(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  if (!pair.error.empty()) return state.SkipWithError(pair.error.c_str());
  WarmUp([&] { pair.DrawEffect(); });
  WarmUp([&] { pair.DrawBaseline(); });
  double effectSeconds = 0.0, baselineSeconds = 0.0;
  bool failed = false;
  for (auto _ : state) {
    double start = ThreadSeconds();
    failed |= !pair.DrawEffect();
    const double effect = ThreadSeconds() - start;
    glFinish();
    start = ThreadSeconds();
    pair.DrawBaseline();
    const double baseline = ThreadSeconds() - start;
    glFinish();
    effectSeconds += effect;
    baselineSeconds += baseline;
    state.SetIterationTime(effect);
  }
  if (failed) return state.SkipWithError("ProcessOpenGL failed");
  const double n = static_cast<double>(state.iterations());
  state.counters["effect_us"] = effectSeconds / n * 1e6;
  state.counters["baseline_us"] = baselineSeconds / n * 1e6;
  state.counters["ratio"] = effectSeconds / baselineSeconds;
}

// The whole frame, call and rendering up to glFinish, in wall time.
void BM_EffectFrameFinished(benchmark::State& state) {
  FramePair pair(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  if (!pair.error.empty()) return state.SkipWithError(pair.error.c_str());
  WarmUp([&] { pair.DrawEffect(); });
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    pair.DrawEffect();
    glFinish();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}

void BM_BaselineFrameFinished(benchmark::State& state) {
  FramePair pair(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  if (!pair.error.empty()) return state.SkipWithError(pair.error.c_str());
  WarmUp([&] { pair.DrawBaseline(); });
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    pair.DrawBaseline();
    glFinish();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}

// The fastest repetition: the figure least disturbed by other work on a shared machine.
double Fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

// Manual time in microseconds, with the fastest repetition reported next to mean and median.
benchmark::internal::Benchmark* Timed(benchmark::internal::Benchmark* b) {
  return b->UseManualTime()->ComputeStatistics("min", Fastest)->Unit(benchmark::kMicrosecond);
}

// Arguments: the viewport. Every iteration of the CPU benchmark renders two frames (untimed), so its
// count is fixed to keep the run short.
BENCHMARK(BM_FrameCallCpu)->Apply([](auto* b) { Timed(b)->Args({1920, 1080})->Iterations(300); });
BENCHMARK(BM_EffectFrameFinished)->Apply([](auto* b) { Timed(b)->Args({1920, 1080})->Args({640, 360}); });
BENCHMARK(BM_BaselineFrameFinished)->Apply([](auto* b) { Timed(b)->Args({1920, 1080})->Args({640, 360}); });

}  // namespace

BENCHMARK_MAIN();
