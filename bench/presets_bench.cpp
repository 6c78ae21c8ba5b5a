// Cost of the preset import: reading and parsing presets of 10 to 3000 slices beside the plain cost
// of reading the same bytes, where the time of a read goes, re-reading a changed file and a file saved
// again unchanged, and a refresh whose newest file has not changed as a ratio to the system calls any
// refresh makes, measured in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <juce_core/juce_core.h>

#include "bench/clocks.h"
#include "presets/content_hash.h"
#include "presets/preset_discovery.h"
#include "presets/preset_document.h"
#include "presets/preset_reader.h"
#include "presets/preset_text.h"
#include "presets/slice_walk.h"
#include "presets/xml_prescan.h"
#include "tests/support/preset_writer.h"
#include "tools/caller/documents_folder.h"

namespace {

using benchclock::ThreadSeconds;

// How a bench preset is written: an LED wall of 120-pixel slices on screens of 25, as the host writes it.
enum class PresetShape {
  Compact,     // one slice's markup a line: about 1.6 kB per slice
  Indented,    // the same indented, one element a line, as the host writes it: about 2.8 kB per slice
  SavedAgain,  // Compact with another root name: other bytes, the same slices
};

std::string BenchPreset(int slices, PresetShape shape) {
  testsupport::PresetStyle style;
  style.markup = testsupport::PresetMarkup::Host;
  style.indented = shape == PresetShape::Indented;
  style.documentName = shape == PresetShape::SavedAgain ? "Bench, saved again" : "Bench";
  return testsupport::PresetXml(testsupport::SliceGrid(slices), style);
}

// Scratch files shared by the benchmarks, removed at exit.
struct BenchFiles {
  juce::File root = juce::File::getSpecialLocation(juce::File::tempDirectory)
                        .getNonexistentChildFile("mosaro-presets-bench", "", false);
  std::map<std::pair<int, PresetShape>, juce::File> presets;
  std::unique_ptr<caller::DocumentsFolder> documents;

  BenchFiles() { root.createDirectory(); }
  ~BenchFiles() { root.deleteRecursively(); }

  const juce::File& Preset(int slices, PresetShape shape = PresetShape::Compact) {
    auto found = presets.find({slices, shape});
    if (found != presets.end()) return found->second;
    juce::File file =
        root.getChildFile("preset-" + juce::String(slices) + "-" + juce::String(static_cast<int>(shape)) + ".xml");
    file.replaceWithText(BenchPreset(slices, shape));
    return presets[{slices, shape}] = file;
  }

  // The preset folder of a documents folder (in a temporary HOME, from the first call on) that also holds 100
  // other subfolders, with 20 presets in it.
  juce::File PresetFolder() {
    if (documents) return juce::File(documents->PresetFolder("Host"));
    documents = std::make_unique<caller::DocumentsFolder>();
    for (int i = 0; i < 100; ++i)
      juce::File(documents->Documents()).getChildFile("Folder " + juce::String(i).paddedLeft('0', 3)).createDirectory();
    const std::string text = BenchPreset(10, PresetShape::Compact);
    for (int i = 0; i < 20; ++i)
      documents->WritePreset("Host", "Preset " + std::to_string(i) + ".xml", text, (1700000000 + i) * int64_t{1000});
    return juce::File(documents->PresetFolder("Host"));
  }
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

// A first read, into a new OutputSetup.
void ReadFirstTime(benchmark::State& state, PresetShape shape) {
  const juce::File& file = Files().Preset(static_cast<int>(state.range(0)), shape);
  const std::string path = file.getFullPathName().toStdString();
  size_t entries = 0;
  for (auto _ : state) {
    OutputSetup setup;
    ReadPreset(setup, path);
    entries = setup.slices.size();
    benchmark::DoNotOptimize(entries);
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.counters["file_kB"] = static_cast<double>(file.getSize()) / 1024.0;
  state.SetBytesProcessed(state.iterations() * file.getSize());
}

void BM_ReadPreset(benchmark::State& state) { ReadFirstTime(state, PresetShape::Compact); }
BENCHMARK(BM_ReadPreset)->Arg(10)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);

void BM_ReadIndentedPreset(benchmark::State& state) { ReadFirstTime(state, PresetShape::Indented); }
BENCHMARK(BM_ReadIndentedPreset)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);

// What a refresh pays when the host saved the mapping with changes: a read into the OutputSetup of
// the last read, of a file whose bytes differ from those read last (two files taking turns).
void BM_RereadChangedPreset(benchmark::State& state) {
  const int slices = static_cast<int>(state.range(0));
  const auto shape = state.range(1) != 0 ? PresetShape::Indented : PresetShape::Compact;
  const std::string paths[2] = {Files().Preset(slices, shape).getFullPathName().toStdString(),
                                Files().Preset(slices, PresetShape::SavedAgain).getFullPathName().toStdString()};
  OutputSetup setup;
  ReadPreset(setup, paths[1]);
  int turn = 0;
  for (auto _ : state) {
    ++setup.newestTime;
    ReadPreset(setup, paths[turn]);
    turn ^= 1;
  }
  if (setup.readStatus.outcome != ReadOutcome::Read || !setup.readStatus.detail.empty())
    return state.SkipWithError("a re-read did not parse the file");
  state.counters["entries"] = static_cast<double>(setup.slices.size());
}
BENCHMARK(BM_RereadChangedPreset)
    ->ArgNames({"slices", "indented"})
    ->Args({1000, 0})
    ->Args({3000, 0})
    ->Args({1000, 1})
    ->Args({3000, 1})
    ->Unit(benchmark::kMicrosecond);

// What a refresh pays when the host saved the mapping again without a change: the file is read,
// found to hold the bytes of the last read, and not parsed.
void BM_RereadSameBytes(benchmark::State& state) {
  const std::string path = Files().Preset(static_cast<int>(state.range(0))).getFullPathName().toStdString();
  OutputSetup setup;
  ReadPreset(setup, path);
  for (auto _ : state) {
    ++setup.newestTime;
    ReadPreset(setup, path);
  }
  if (setup.readStatus.outcome != ReadOutcome::Read || setup.readStatus.detail.empty())
    return state.SkipWithError("a re-read of the same bytes parsed them");
  state.counters["entries"] = static_cast<double>(setup.slices.size());
}
BENCHMARK(BM_RereadSameBytes)->Arg(1000)->Arg(3000)->Unit(benchmark::kMicrosecond);

// The same bytes read from disk the way the reader reads them, and nothing else.
void BM_ReadBytesOnly(benchmark::State& state) {
  juce::File file = Files().Preset(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    PresetFileBytes read = ReadPresetFile(file);
    benchmark::DoNotOptimize(read.bytes.buffer.get());
  }
  state.SetBytesProcessed(state.iterations() * file.getSize());
}
BENCHMARK(BM_ReadBytesOnly)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The guard pass alone, over text already in memory, marking what the walk never reads.
void BM_PrescanOnly(benchmark::State& state) {
  juce::String text = Files().Preset(static_cast<int>(state.range(0))).loadFileAsString();
  for (auto _ : state) benchmark::DoNotOptimize(PrescanXml(text, kMaxPresetDepth, true).maxDepth);
  state.counters["cuts"] = static_cast<double>(PrescanXml(text, kMaxPresetDepth, true).cuts.size());
  state.SetBytesProcessed(state.iterations() * text.getNumBytesAsUTF8());
}
BENCHMARK(BM_PrescanOnly)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Parsing bytes already in memory, as the reader does, and the same when the whole text is parsed.
void BM_ParseBytes(benchmark::State& state, ParseScope scope) {
  std::string bytes = Files().Preset(static_cast<int>(state.range(0))).loadFileAsString().toStdString();
  size_t parsed = 0;
  for (auto _ : state) {
    LoadedDocument document = ParsePresetBytes(bytes.data(), bytes.size(), scope);
    parsed = document.parsedBytes;
    benchmark::DoNotOptimize(document.root);
  }
  state.counters["parsed_kB"] = static_cast<double>(parsed) / 1024.0;
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK_CAPTURE(BM_ParseBytes, walked_parts, ParseScope::WalkedParts)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ParseBytes, whole_text, ParseScope::WholeText)->Arg(100)->Unit(benchmark::kMicrosecond);

// The XML parser alone, over text already in memory: the part of a read that is not ours.
void BM_XmlParserOnly(benchmark::State& state) {
  juce::String text = Files().Preset(static_cast<int>(state.range(0))).loadFileAsString();
  for (auto _ : state) benchmark::DoNotOptimize(juce::XmlDocument(text).getDocumentElement());
  state.SetBytesProcessed(state.iterations() * text.getNumBytesAsUTF8());
}
BENCHMARK(BM_XmlParserOnly)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Where the time of one read goes: the stages of a read run one after the other as ReadPreset and
// ParsePresetBytes run them, each timed on the calling thread's CPU clock. Counters: microseconds per
// read and stage.
void BM_ReadStages(benchmark::State& state) {
  const auto shape = state.range(1) != 0 ? PresetShape::Indented : PresetShape::Compact;
  const juce::File& file = Files().Preset(static_cast<int>(state.range(0)), shape);
  static const char* const kStages[] = {"1_file_us", "2_hash_us", "3_decode_us", "4_prescan_us",
                                        "5_cuts_us", "6_parse_us", "7_walk_us", "8_free_us"};
  constexpr int kStageCount = 8;
  double spent[kStageCount] = {};
  size_t entries = 0;
  for (auto _ : state) {
    double mark = ThreadSeconds();
    auto lap = [&](int stage) {
      const double now = ThreadSeconds();
      spent[stage] += now - mark;
      mark = now;
    };
    PresetFileBytes read = ReadPresetFile(file);
    lap(0);
    benchmark::DoNotOptimize(HashBytes(read.bytes.buffer.get(), read.bytes.size));
    lap(1);
    PresetText text = DecodePresetBytes(std::move(read.bytes));
    lap(2);
    const PrescanResult scan = PrescanXml(text.buffer.get(), kMaxPresetDepth, true);
    lap(3);
    if (scan.recheckAfterCuts) return state.SkipWithError("the preset needs a second scan");
    const size_t length = ApplyCutsInPlace(text.buffer.get(), text.length, scan.cuts);
    const juce::String parsed(juce::CharPointer_UTF8(text.buffer.get()),
                              juce::CharPointer_UTF8(text.buffer.get() + length));
    lap(4);
    std::unique_ptr<juce::XmlElement> root = juce::XmlDocument(parsed).getDocumentElement();
    lap(5);
    if (!root) return state.SkipWithError("the preset did not parse");
    entries = CollectSlices(*root).size();
    lap(6);
    root.reset();
    lap(7);
  }
  const double n = static_cast<double>(state.iterations());
  for (int stage = 0; stage < kStageCount; ++stage) state.counters[kStages[stage]] = spent[stage] / n * 1e6;
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_ReadStages)
    ->ArgNames({"slices", "indented"})
    ->Args({1000, 0})
    ->Args({3000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMicrosecond);

// The least any refresh does on this machine, in plain system calls: one listing of the preset folder and
// one status per preset file. Returns the newest last-write second found.
int64_t ListingAndStatusFloor(const std::string& folder) {
  int64_t newest = 0;
  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) return -1;
  while (const dirent* entry = readdir(directory)) {
    if (fnmatch("*.xml", entry->d_name, 0) != 0) continue;
    struct stat status;
    if (stat((folder + "/" + entry->d_name).c_str(), &status) == 0 && status.st_mtime > newest)
      newest = status.st_mtime;
  }
  closedir(directory);
  return newest;
}

// A refresh whose newest file has not changed, alternating in every iteration with the floor above so that
// both meet the same conditions (calling thread's CPU time). Reported time: the refresh; counters: both, in
// microseconds, and their ratio, whose target is at most 1.3.
void BM_RefreshUnchanged(benchmark::State& state) {
  const std::string folder = Files().PresetFolder().getFullPathName().toStdString();
  OutputSetup setup;
  RefreshPreset(setup);
  if (setup.readStatus.outcome != ReadOutcome::Read) return state.SkipWithError("the first refresh read nothing");
  double refreshSeconds = 0.0, floorSeconds = 0.0;
  int64_t newest = 0;
  for (auto _ : state) {
    double start = ThreadSeconds();
    RefreshPreset(setup);
    const double refresh = ThreadSeconds() - start;
    start = ThreadSeconds();
    newest = std::max(newest, ListingAndStatusFloor(folder));
    floorSeconds += ThreadSeconds() - start;
    refreshSeconds += refresh;
    state.SetIterationTime(refresh);
  }
  if (setup.readStatus.outcome != ReadOutcome::Unchanged) return state.SkipWithError("a refresh read the file again");
  if (newest <= 0) return state.SkipWithError("the floor found no preset");
  const double n = static_cast<double>(state.iterations());
  state.counters["refresh_us"] = refreshSeconds / n * 1e6;
  state.counters["floor_us"] = floorSeconds / n * 1e6;
  state.counters["ratio"] = refreshSeconds / floorSeconds;
}
BENCHMARK(BM_RefreshUnchanged)->UseManualTime()->Unit(benchmark::kMicrosecond);

// For comparison: the last-write times of the 20 presets alone, through JUCE.
void BM_TwentyWriteTimesOnly(benchmark::State& state) {
  juce::File presets = Files().PresetFolder();
  juce::Array<juce::File> files = presets.findChildFiles(juce::File::findFiles, false, "*.xml");
  for (auto _ : state)
    for (const juce::File& file : files) benchmark::DoNotOptimize(file.getLastModificationTime().toMilliseconds());
}
BENCHMARK(BM_TwentyWriteTimesOnly)->Unit(benchmark::kMicrosecond);

// For comparison: the same refresh when the host folder is searched every time.
void BM_RefreshUnchangedSearchingFolder(benchmark::State& state) {
  Files().PresetFolder();
  OutputSetup setup;
  RefreshPreset(setup);
  for (auto _ : state) {
    setup.memory.presetFolder.clear();
    RefreshPreset(setup);
  }
  if (setup.readStatus.outcome != ReadOutcome::Unchanged) state.SkipWithError("a refresh read the file again");
}
BENCHMARK(BM_RefreshUnchangedSearchingFolder)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
