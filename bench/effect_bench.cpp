// What a host pays for the effect's description and its largest parameter reaction.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "bench/clocks.h"
#include "effect/qm_plugin.h"
#include "presets/preset_discovery.h"
#include "tests/support/preset_writer.h"
#include "tests/support/qm_plugin_inside.h"
#include "tools/caller/documents_folder.h"

namespace {

using benchclock::ThreadSeconds;

// A realistic preset: two screens of 8 slices each, 240 pixels wide and the frame's height.
std::string SixteenSlicePreset() {
  std::vector<testsupport::PresetScreen> screens;
  for (int screen = 0; screen < 2; ++screen) {
    screens.push_back({"Screen " + std::to_string(screen + 1), {}});
    for (int slice = 0; slice < 8; ++slice) {
      const auto x = static_cast<float>(slice * 240);
      const testsupport::PresetCorners box = testsupport::Box(x, 0, x + 240, 1080);
      screens.back().slices.push_back({"Slice " + std::to_string(slice + 1), box, box});
    }
  }
  testsupport::PresetStyle style;
  style.documentName = "Bench";
  return testsupport::PresetXml(screens, style);
}

// A preset of `slices` slices as the host writes it (about 2.4 kB a slice), on screens of up to 25 each:
// with its screen entries the slice choices offer slices + slices / 25 + 1 elements.
std::string HostShapedPreset(int slices) {
  testsupport::PresetStyle style;
  style.markup = testsupport::PresetMarkup::HostWithParameters;
  style.documentName = "Bench";
  return testsupport::PresetXml(testsupport::SliceGrid(slices), style);
}

// Bytes the allocator hands out at the moment.
double HeapBytesInUse() { return static_cast<double>(mallinfo2().uordblks); }

// Constructing an instance as the host's plugin scan does: every parameter and the preset read.
void BM_ConstructPrototype(benchmark::State& state) {
  caller::DocumentsFolder documents;
  documents.WritePreset("Host", "mapping.xml", SixteenSlicePreset(), 1700000000000);
  for (auto _ : state) {
    QmPlugin plugin;
    benchmark::DoNotOptimize(&plugin);
  }
}
BENCHMARK(BM_ConstructPrototype)->Unit(benchmark::kMicrosecond);

// The first description call with a host-shaped preset of range(0) slices in the host's preset folder:
// construction of the prototype, preset read included. Counters, in thread CPU time: the whole construction,
// the preset read alone (a fresh import of the same file, untimed, in the same run) and the rest; and the
// heap an instance holds.
void BM_FirstDescription(benchmark::State& state) {
  caller::DocumentsFolder documents;
  documents.WritePreset("Host", "mapping.xml", HostShapedPreset(static_cast<int>(state.range(0))), 1700000000000);
  double readSeconds = 0.0, constructSeconds = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    double start = ThreadSeconds();
    {
      OutputSetup setup;
      RefreshPreset(setup);
      benchmark::DoNotOptimize(setup.slices.data());
    }
    readSeconds += ThreadSeconds() - start;
    state.ResumeTiming();
    start = ThreadSeconds();
    {
      QmPlugin plugin;
      benchmark::DoNotOptimize(&plugin);
    }
    constructSeconds += ThreadSeconds() - start;
  }
  const double before = HeapBytesInUse();
  auto kept = std::make_unique<QmPlugin>();
  const double instanceBytes = HeapBytesInUse() - before;
  const double n = static_cast<double>(state.iterations());
  state.counters["cpu_ms"] = constructSeconds / n * 1e3;
  state.counters["read_ms"] = readSeconds / n * 1e3;
  state.counters["rest_ms"] = (constructSeconds - readSeconds) / n * 1e3;
  state.counters["slices"] = static_cast<double>(testsupport::Inside(*kept).outputSetup.slices.size());
  state.counters["instance_kB"] = instanceBytes / 1024.0;
}
BENCHMARK(BM_FirstDescription)->Arg(1000)->Unit(benchmark::kMillisecond);

// Choosing a layer in "Edit Slice": 456 visibility changes and events.
void BM_EditSliceReaction(benchmark::State& state) {
  caller::DocumentsFolder documents;
  QmPlugin plugin;
  plugin.owner = &plugin;
  float layer = 1.0f;
  for (auto _ : state) {
    plugin.SetFloatParameter(10, layer);
    layer = layer >= 24.0f ? 1.0f : layer + 1.0f;
  }
}
BENCHMARK(BM_EditSliceReaction)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
