// What a host pays for the effect's description and its largest parameter reaction.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

#include "effect/qm_plugin.h"
#include "presets/preset_discovery.h"
#include "tests/support/documents_folder.h"

namespace {

// A realistic preset: two screens of 8 slices each.
std::string SixteenSlicePreset() {
  std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<XmlState name=\"Bench\">\n"
                    "<versionInfo major=\"7\" minor=\"0\"/>\n<ScreenSetup name=\"ScreenSetup\"><screens>\n";
  for (int screen = 0; screen < 2; ++screen) {
    xml += "<Screen name=\"Screen " + std::to_string(screen + 1) + "\"><layers>\n";
    for (int slice = 0; slice < 8; ++slice) {
      const std::string x0 = std::to_string(slice * 240), x1 = std::to_string(slice * 240 + 240);
      const std::string points = "<v x=\"" + x0 + "\" y=\"0\"/><v x=\"" + x1 + "\" y=\"0\"/><v x=\"" + x1 +
                                 "\" y=\"1080\"/><v x=\"" + x0 + "\" y=\"1080\"/>";
      xml += "<Slice uniqueId=\"" + std::to_string(screen * 8 + slice) +
             "\"><Params name=\"Common\"><Param name=\"Name\" value=\"Slice " + std::to_string(slice + 1) +
             "\"/><Param name=\"Enabled\" value=\"1\"/></Params><InputRect>" + points + "</InputRect><OutputRect>" +
             points + "</OutputRect></Slice>\n";
    }
    xml += "</layers></Screen>\n";
  }
  return xml + "</screens></ScreenSetup></XmlState>\n";
}

std::string Point(int x, int y) { return "<v x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"/>"; }

std::string Rect(const char* tag, int x, int y, int w, int h) {
  return std::string("<") + tag + " orientation=\"0\">" + Point(x, y) + Point(x + w, y) + Point(x + w, y + h) +
         Point(x, y + h) + "</" + tag + ">\n";
}

// One slice as the host writes it (about 2.4 kB): parameter blocks, both rectangles, a warper with its
// control points and a homography, a mask and a soft edge.
std::string HostShapedSlice(int index) {
  const int x = (index % 16) * 120, y = (index / 16 % 9) * 120;
  std::string s = "<Slice uniqueId=\"" + std::to_string(1611000000000 + index) + "\">\n";
  s += "<Params name=\"Input\"><ParamChoice name=\"Input Source\" default=\"0:1\" value=\"0:1\" "
       "storeChoices=\"0\"/></Params>\n";
  s += "<Params name=\"Common\"><Param name=\"Name\" T=\"STRING\" default=\"Layer\" value=\"Slice " +
       std::to_string(index + 1) + "\"/><Param name=\"Enabled\" T=\"BOOL\" default=\"1\" value=\"1\"/></Params>\n";
  s += "<Params name=\"Output\"><Param name=\"Flip\" T=\"UINT8\" default=\"0\" value=\"0\"/>"
       "<ParamRange name=\"Brightness\" T=\"DOUBLE\" default=\"0\" value=\"0\"/></Params>\n";
  s += Rect("InputRect", x, y, 120, 120) + Rect("OutputRect", x * 2, y * 2, 240, 240);
  s += "<Warper><Params name=\"Warper\"><Param name=\"Point Mode\" T=\"UINT8\" default=\"0\" value=\"0\"/></Params>"
       "<BezierWarper controlWidth=\"4\" controlHeight=\"4\"><vertices>";
  for (int i = 0; i < 16; ++i) s += Point(x * 2 + (i % 4) * 80, y * 2 + (i / 4) * 80);
  s += "</vertices></BezierWarper><Homography><src>" + Point(0, 0) + Point(1, 0) + Point(1, 1) + Point(0, 1) +
       "</src><dst>" + Point(0, 0) + Point(1, 0) + Point(1, 1) + Point(0, 1) + "</dst></Homography></Warper>\n";
  s += "<SliceMask enabled=\"0\"><ShapeObject name=\"Mask\">" + Rect("Rect", 0, 0, 10, 10) +
       "</ShapeObject></SliceMask>\n<SoftEdge enabled=\"0\" gamma=\"1.8\" power=\"2\" luminance=\"0.5\"/>\n</Slice>\n";
  return s;
}

// A host-shaped preset of `slices` slices on screens of up to 25 each: with its screen entries the slice
// choices offer slices + slices / 25 + 1 elements.
std::string HostShapedPreset(int slices) {
  std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XmlState name=\"Bench\">\n"
                  "<versionInfo name=\"Host\" majorVersion=\"7\" minorVersion=\"13\" microVersion=\"2\"/>\n"
                  "<ScreenSetup name=\"ScreenSetup\"><Params name=\"ScreenSetupParams\"/><sizing><inputs>"
                  "<InputSize id=\"0\" width=\"1920\" height=\"1080\"/></inputs></sizing>\n<screens>\n";
  for (int first = 0, screen = 1; first < slices; first += 25, ++screen) {
    s += "<Screen name=\"Screen " + std::to_string(screen) + "\"><Params name=\"Params\"><Param name=\"Name\" "
         "T=\"STRING\" default=\"\" value=\"Screen " + std::to_string(screen) + "\"/></Params>\n<layers>\n";
    for (int i = first; i < slices && i < first + 25; ++i) s += HostShapedSlice(i);
    s += "</layers>\n<OutputDevice><OutputDeviceVirtual name=\"Screen\" width=\"1920\" height=\"1080\"/>"
         "</OutputDevice>\n</Screen>\n";
  }
  return s + "</screens>\n<SoftEdging><Params name=\"SoftEdging\"/></SoftEdging>\n</ScreenSetup>\n</XmlState>\n";
}

// CPU time of the calling thread, not counting time spent descheduled by other work on the machine.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Bytes the allocator hands out at the moment.
double HeapBytesInUse() { return static_cast<double>(mallinfo2().uordblks); }

// Constructing an instance as the host's plugin scan does: 467 parameters and the preset read.
void BM_ConstructPrototype(benchmark::State& state) {
  test::DocumentsFolder documents;
  documents.WritePreset("Host", "mapping.xml", SixteenSlicePreset(), 1700000000000);
  for (auto _ : state) {
    QmPlugin plugin;
    benchmark::DoNotOptimize(plugin.layers.data());
  }
}
BENCHMARK(BM_ConstructPrototype)->Unit(benchmark::kMicrosecond);

// The first description call with a host-shaped preset of range(0) slices in the host's preset folder:
// construction of the prototype, preset read included. Counters, in thread CPU time: the whole construction,
// the preset read alone (a fresh import of the same file, untimed, in the same run) and the rest; and the
// heap an instance holds.
void BM_FirstDescription(benchmark::State& state) {
  test::DocumentsFolder documents;
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
      benchmark::DoNotOptimize(plugin.layers.data());
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
  state.counters["slices"] = static_cast<double>(kept->outputSetup.slices.size());
  state.counters["instance_kB"] = instanceBytes / 1024.0;
}
BENCHMARK(BM_FirstDescription)->Arg(1000)->Unit(benchmark::kMillisecond);

// Choosing a layer in "Edit Slice": 456 visibility changes and events.
void BM_EditSliceReaction(benchmark::State& state) {
  test::DocumentsFolder documents;
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
