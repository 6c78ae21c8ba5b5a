// Cost of the preset import: reading and parsing presets of 10, 100 and 1000 slices beside the
// plain cost of reading the same bytes, and a refresh whose newest file has not changed as a ratio
// to the system calls any refresh makes, measured in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <time.h>

#include <juce_core/juce_core.h>

#include "presets/preset_discovery.h"
#include "presets/preset_document.h"
#include "presets/preset_reader.h"
#include "presets/xml_prescan.h"

namespace {

std::string Point(int x, int y) {
  return "<v x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"/>";
}

std::string Rect(const char* tag, int x, int y, int w, int h) {
  return std::string("<") + tag + " orientation=\"0\">" + Point(x, y) + Point(x + w, y) + Point(x + w, y + h) +
         Point(x, y + h) + "</" + tag + ">\n";
}

// One slice as the host writes it: parameter blocks, both rectangles, a warper with its control
// points and a homography, a mask and a soft edge.
std::string Slice(int index) {
  int x = (index % 16) * 120, y = (index / 16 % 9) * 120;
  std::string s = "<Slice uniqueId=\"" + std::to_string(1611000000000 + index) + "\">\n";
  s += "<Params name=\"Input\"><ParamChoice name=\"Input Source\" default=\"0:1\" value=\"0:1\" storeChoices=\"0\"/></Params>\n";
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
  s += "<SliceMask enabled=\"0\"><ShapeObject name=\"Mask\">" + Rect("Rect", 0, 0, 10, 10) + "</ShapeObject></SliceMask>\n";
  s += "<SoftEdge enabled=\"0\" gamma=\"1.8\" power=\"2\" luminance=\"0.5\"/>\n</Slice>\n";
  return s;
}

// A preset of `slices` slices on screens of up to 25 slices each.
std::string RealisticPreset(int slices) {
  std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XmlState name=\"Bench\">\n"
                  "<versionInfo name=\"Host\" majorVersion=\"7\" minorVersion=\"13\" microVersion=\"2\"/>\n"
                  "<ScreenSetup name=\"ScreenSetup\"><Params name=\"ScreenSetupParams\"/>"
                  "<sizing><inputs><InputSize id=\"0\" width=\"1920\" height=\"1080\"/></inputs></sizing>\n<screens>\n";
  for (int first = 0, screen = 1; first < slices; first += 25, ++screen) {
    s += "<Screen name=\"Screen " + std::to_string(screen) + "\"><Params name=\"Params\">"
         "<Param name=\"Name\" T=\"STRING\" default=\"\" value=\"Screen " + std::to_string(screen) + "\"/></Params>\n<layers>\n";
    for (int i = first; i < slices && i < first + 25; ++i) s += Slice(i);
    s += "</layers>\n<OutputDevice><OutputDeviceVirtual name=\"Screen\" width=\"1920\" height=\"1080\"/></OutputDevice>\n"
         "</Screen>\n";
  }
  return s + "</screens>\n<SoftEdging><Params name=\"SoftEdging\"/></SoftEdging>\n</ScreenSetup>\n</XmlState>\n";
}

// Scratch files shared by the benchmarks, removed at exit.
struct BenchFiles {
  juce::File root = juce::File::getSpecialLocation(juce::File::tempDirectory)
                        .getNonexistentChildFile("mosaro-presets-bench", "", false);
  std::map<int, juce::File> presets;

  BenchFiles() { root.createDirectory(); }
  ~BenchFiles() { root.deleteRecursively(); }

  const juce::File& Preset(int slices) {
    auto found = presets.find(slices);
    if (found != presets.end()) return found->second;
    juce::File file = root.getChildFile("preset-" + juce::String(slices) + ".xml");
    file.replaceWithText(RealisticPreset(slices));
    return presets[slices] = file;
  }

  // HOME with a documents folder of 100 other subfolders and a host folder of 20 presets.
  juce::File Home() {
    juce::File home = root.getChildFile("home");
    if (home.isDirectory()) return home;
    juce::File documents = home.getChildFile("Documents");
    for (int i = 0; i < 100; ++i)
      documents.getChildFile("Folder " + juce::String(i).paddedLeft('0', 3)).createDirectory();
    juce::File presets = documents.getChildFile("Host").getChildFile("Presets").getChildFile("Advanced Output");
    presets.createDirectory();
    std::string text = RealisticPreset(10);
    for (int i = 0; i < 20; ++i) {
      juce::File file = presets.getChildFile("Preset " + juce::String(i) + ".xml");
      file.replaceWithText(text);
      file.setLastModificationTime(juce::Time(static_cast<juce::int64>(1700000000 + i) * 1000));
    }
    return home;
  }
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

void BM_ReadPreset(benchmark::State& state) {
  std::string path = Files().Preset(static_cast<int>(state.range(0))).getFullPathName().toStdString();
  size_t entries = 0;
  for (auto _ : state) {
    OutputSetup setup;
    ReadPreset(setup, path);
    entries = setup.slices.size();
    benchmark::DoNotOptimize(entries);
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.counters["file_kB"] = static_cast<double>(Files().Preset(static_cast<int>(state.range(0))).getSize()) / 1024.0;
  state.SetBytesProcessed(state.iterations() * Files().Preset(static_cast<int>(state.range(0))).getSize());
}
BENCHMARK(BM_ReadPreset)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The same bytes read from disk the way the reader reads them, and nothing else.
void BM_ReadBytesOnly(benchmark::State& state) {
  juce::File file = Files().Preset(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    juce::FileInputStream stream(file);
    juce::MemoryBlock bytes;
    stream.readIntoMemoryBlock(bytes, kMaxPresetBytes + 1);
    benchmark::DoNotOptimize(bytes.getData());
  }
  state.SetBytesProcessed(state.iterations() * file.getSize());
}
BENCHMARK(BM_ReadBytesOnly)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The guard pass alone, over text already in memory, marking what the walk never reads.
void BM_PrescanOnly(benchmark::State& state) {
  juce::String text = Files().Preset(static_cast<int>(state.range(0))).loadFileAsString();
  for (auto _ : state) benchmark::DoNotOptimize(PrescanXml(text, kMaxPresetDepth, true).maxDepth);
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

class HomeRedirect {
 public:
  explicit HomeRedirect(const juce::File& home) {
    if (const char* old = std::getenv("HOME")) saved = old;
    setenv("HOME", home.getFullPathName().toRawUTF8(), 1);
  }
  ~HomeRedirect() { setenv("HOME", saved.c_str(), 1); }

 private:
  std::string saved;
};

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

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A refresh whose newest file has not changed, alternating in every iteration with the floor above so that
// both meet the same conditions (calling thread's CPU time). Reported time: the refresh; counters: both, in
// microseconds, and their ratio, whose target is at most 1.3.
void BM_RefreshUnchanged(benchmark::State& state) {
  HomeRedirect redirect(Files().Home());
  const std::string folder =
      Files().Home().getChildFile("Documents/Host/Presets/Advanced Output").getFullPathName().toStdString();
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
  juce::File presets = Files().Home().getChildFile("Documents/Host/Presets/Advanced Output");
  juce::Array<juce::File> files = presets.findChildFiles(juce::File::findFiles, false, "*.xml");
  for (auto _ : state)
    for (const juce::File& file : files) benchmark::DoNotOptimize(file.getLastModificationTime().toMilliseconds());
}
BENCHMARK(BM_TwentyWriteTimesOnly)->Unit(benchmark::kMicrosecond);

// For comparison: the same refresh when the host folder is searched every time.
void BM_RefreshUnchangedSearchingFolder(benchmark::State& state) {
  HomeRedirect redirect(Files().Home());
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
