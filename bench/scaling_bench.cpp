// What LED-wall mappings cost a host, through plugMain alone: presets of 10 to 3000 slices as the host writes
// them (parameter blocks, warpers, masks; about 2.4 kB a slice) and a wall of 6000 slices as LED-wall tools export
// it (tab-indented, finer warpers and masks; about 4.5 kB a slice, 27 MB), and 24 layers on slices at 1920x1080
// with Live Update on. Measured: the first description call (the prototype, preset read included), an instantiation, a
// plain frame call, the frame call that reads a re-saved preset (against the plain frames of the same run) and
// the heap an instance adds. Times are the calling thread's CPU time, except for the instantiation.
// MOSARO_BENCH_MODULE names another build of the module to measure (an earlier one, say) instead of this one.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/clocks.h"
#include "effect/layer_params.h"
#include "glsupport/gl.h"
#include "tests/support/preset_writer.h"
#include "tools/caller/documents_folder.h"
#include "tools/caller/gl_context.h"
#include "tools/caller/plugin_module.h"

namespace {

using benchclock::ThreadSeconds;
using benchclock::WallSeconds;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kLayers = 24;
constexpr int kRefreshEvery = 59;  // frames between two preset refreshes while Live Update is on

// Who wrote the mapping: the host itself, or an LED-wall tool whose export the host loaded.
enum Writer { kHost = 0, kLedWallTool = 1 };

// The mapping of `slices` slices; version 1 has the first slice moved by a pixel, as a VJ's edit would.
std::string Preset(int slices, int version, Writer writer) {
  std::vector<testsupport::PresetScreen> screens = testsupport::SliceGrid(slices);
  screens[0].slices[0].input.topLeft.x += static_cast<float>(version);
  testsupport::PresetStyle style;
  style.markup =
      writer == kHost ? testsupport::PresetMarkup::HostWithParameters : testsupport::PresetMarkup::LedWallTool;
  style.indented = writer == kLedWallTool;
  style.indent = "\t";
  style.documentName = "LED wall";
  return testsupport::PresetXml(screens, style);
}

// The list position of slice j (0-based) of SliceGrid: screens of 25 slices, each after its screen entry.
float SlicePosition(int j) { return static_cast<float>(j + j / 25 + 2); }

std::string ModulePath() {
  const char* other = std::getenv("MOSARO_BENCH_MODULE");
  return other && *other ? other : MOSARO_PRODUCT_MODULE;
}

// The module, a documents folder holding one preset, the GL context, the host's framebuffer and the input.
struct ScalingRig {
  caller::DocumentsFolder documents;
  caller::PluginModule module;
  caller::GlContext context;
  std::unique_ptr<caller::RenderTarget> target;
  std::unique_ptr<caller::Texture> input;
  TextureRecord texture{kWidth, kHeight, kWidth, kHeight, 0};
  TextureRecord* textures[1] = {&texture};
  FrameRecord frame{1, textures};
  int64_t presetTime = 1700000000000;
  int slices = 0;
  int version = 0;
  Writer writer = kHost;
  std::string error;

  ScalingRig() {
    if (!documents.valid()) error = documents.error();
    else if (!module.Load(ModulePath())) error = module.error();
    else if (!context.Create()) error = context.error();
    if (!error.empty()) return;
    target = std::make_unique<caller::RenderTarget>(kWidth, kHeight);
    std::vector<uint8_t> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7 / 5);
    input = std::make_unique<caller::Texture>(kWidth, kHeight, pixels);
    texture.handle = input->name();
  }

  // Saves the preset as the host does: the whole file, with a new last-write time.
  bool Save(int count, int newVersion) {
    presetTime += 1000;
    slices = count;
    version = newVersion;
    return !documents.WritePreset("Host", "wall.xml", Preset(count, newVersion, writer), presetTime).empty();
  }

  // Uses a mapping of `count` slices from now on; the next description code makes a new prototype.
  bool UseSlices(int count, Writer by) {
    module.Deinitialise();
    writer = by;
    return Save(count, 0);
  }

  // A new instance with 24 enabled layers, each on a slice spread over the wall; null on failure.
  void* MakeInstance() {
    target->Bind();
    const ViewportRecord viewport{0, 0, kWidth, kHeight};
    void* instance = module.Instantiate(&viewport);
    if (!instance) return nullptr;
    for (int k = 1; k <= kLayers; ++k) {
      const std::string n = " " + std::to_string(k);
      const int64_t enable = module.FindParameter("Enable" + n);
      const int64_t output = module.FindParameter("Slice Output" + n);
      if (enable < 0 || output < 0) return nullptr;
      module.SetFloat(instance, static_cast<uint32_t>(enable), 1.0f);
      module.SetFloat(instance, static_cast<uint32_t>(output), SlicePosition((k - 1) * slices / kLayers));
    }
    return instance;
  }

  // One frame call over the host's framebuffer; its CPU seconds. The GL work is finished outside the time.
  double TimedFrame(void* instance) {
    target->Bind();
    const double start = ThreadSeconds();
    const uint32_t status = module.ProcessFrame(instance, &frame);
    const double seconds = ThreadSeconds() - start;
    glFinish();
    if (status != kStatusSuccess) error = "a frame failed";
    return seconds;
  }
};

ScalingRig& Rig() {
  static ScalingRig rig;
  return rig;
}

bool Ready(benchmark::State& state) {
  if (Rig().error.empty() && Rig().UseSlices(static_cast<int>(state.range(0)), static_cast<Writer>(state.range(1))))
    return true;
  state.SkipWithError(Rig().error.empty() ? "cannot save the preset" : Rig().error.c_str());
  return false;
}

// The first description code of a host's plugin scan: the prototype is made and reads the preset.
void BM_FirstDescriptionCall(benchmark::State& state) {
  if (!Ready(state)) return;
  for (auto _ : state) {
    Rig().module.Deinitialise();
    const double start = ThreadSeconds();
    const uint32_t count = Rig().module.GetNumParameters();
    state.SetIterationTime(ThreadSeconds() - start);
    if (count != kParameterCount) state.SkipWithError("the module described another number of parameters");
  }
  state.counters["slices"] = static_cast<double>(state.range(0));
}

// Code 18 with the prototype made: a new instance reads the preset and builds its two programs. The time is
// the wall clock's, since the GL driver may build on threads of its own while the host waits.
void BM_Instantiation(benchmark::State& state) {
  if (!Ready(state)) return;
  Rig().module.GetNumParameters();
  for (auto _ : state) {
    Rig().target->Bind();
    const ViewportRecord viewport{0, 0, kWidth, kHeight};
    const double start = WallSeconds();
    void* instance = Rig().module.Instantiate(&viewport);
    state.SetIterationTime(WallSeconds() - start);
    if (!instance) {
      state.SkipWithError("code 18 failed");
      break;
    }
    Rig().module.DeInstantiate(instance);
  }
}

// The heap that one instance holds once it has drawn a frame (the GL driver's own allocations included).
void BM_InstanceMemory(benchmark::State& state) {
  if (!Ready(state)) return;
  Rig().module.GetNumParameters();
  double added = 0;
  for (auto _ : state) {
    malloc_trim(0);
    const struct mallinfo2 start_heap = mallinfo2();
    const double before = static_cast<double>(start_heap.uordblks) + static_cast<double>(start_heap.hblkhd);
    const double start = WallSeconds();
    void* instance = Rig().MakeInstance();
    if (!instance) {
      state.SkipWithError("no instance");
      break;
    }
    Rig().TimedFrame(instance);
    state.SetIterationTime(WallSeconds() - start);
    const struct mallinfo2 heap = mallinfo2();
    added = static_cast<double>(heap.uordblks) + static_cast<double>(heap.hblkhd) - before;
    Rig().module.DeInstantiate(instance);
  }
  state.counters["instance_kB"] = added / 1024.0;
}

// Frame calls with 24 layers on slices and Live Update on, the preset unchanged (every 59th call lists the
// preset folder and finds nothing new).
void BM_PlainFrame(benchmark::State& state) {
  if (!Ready(state)) return;
  void* instance = Rig().MakeInstance();
  if (!instance) return state.SkipWithError("no instance");
  for (auto _ : state) state.SetIterationTime(Rig().TimedFrame(instance));
  Rig().module.DeInstantiate(instance);
}

// The refresh frame after the host re-saved the mapping with a slice moved, against the 58 plain frames
// before it in the same iteration (their median): what one save costs the render thread.
void BM_ResavedPresetFrame(benchmark::State& state) {
  if (!Ready(state)) return;
  void* instance = Rig().MakeInstance();
  if (!instance) return state.SkipWithError("no instance");
  std::vector<double> plain, extra;
  int framesSinceRefresh = 0;  // the instance refreshes on its 59th frame call, then every 59
  for (auto _ : state) {
    std::vector<double> before;
    while (framesSinceRefresh < kRefreshEvery - 1) {
      before.push_back(Rig().TimedFrame(instance));
      ++framesSinceRefresh;
    }
    if (!Rig().Save(Rig().slices, 1 - Rig().version)) return state.SkipWithError("cannot save the preset");
    const double reread = Rig().TimedFrame(instance);
    framesSinceRefresh = 0;
    state.SetIterationTime(reread);
    if (!before.empty()) {
      std::nth_element(before.begin(), before.begin() + static_cast<long>(before.size() / 2), before.end());
      plain.push_back(before[before.size() / 2]);
      extra.push_back(reread - plain.back());
    }
  }
  Rig().module.DeInstantiate(instance);
  auto median = [](std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
  };
  state.counters["plain_ms"] = median(plain) * 1e3;
  state.counters["extra_ms"] = median(extra) * 1e3;
}

// Slice counts written by the host, and the LED-wall tool's 6000-slice export.
#define MOSARO_SLICE_COUNTS                                                                               \
  ->ArgNames({"slices", "tool"})->Args({10, kHost})->Args({100, kHost})->Args({1000, kHost})->Args({3000, kHost}) \
      ->Args({6000, kLedWallTool})->UseManualTime()->Unit(benchmark::kMillisecond)
BENCHMARK(BM_FirstDescriptionCall) MOSARO_SLICE_COUNTS;
BENCHMARK(BM_Instantiation) MOSARO_SLICE_COUNTS->Iterations(10);
BENCHMARK(BM_InstanceMemory) MOSARO_SLICE_COUNTS->Iterations(3);
BENCHMARK(BM_PlainFrame) MOSARO_SLICE_COUNTS->Iterations(300);
BENCHMARK(BM_ResavedPresetFrame) MOSARO_SLICE_COUNTS->Iterations(12);

}  // namespace

BENCHMARK_MAIN();
