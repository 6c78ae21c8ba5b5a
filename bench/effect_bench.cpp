// What a host pays for the effect's description and its largest parameter reaction.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "effect/qm_plugin.h"
#include "tools/caller/documents_folder.h"

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

// Constructing an instance as the host's plugin scan does: 467 parameters and the preset read.
void BM_ConstructPrototype(benchmark::State& state) {
  caller::DocumentsFolder documents;
  documents.WritePreset("Host", "mapping.xml", SixteenSlicePreset(), 1700000000000);
  for (auto _ : state) {
    QmPlugin plugin;
    benchmark::DoNotOptimize(plugin.layers.data());
  }
}
BENCHMARK(BM_ConstructPrototype)->Unit(benchmark::kMicrosecond);

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
