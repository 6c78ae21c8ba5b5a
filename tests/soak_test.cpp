// Soak and fault tests: thousands of frames while the host rewrites its presets under the effect, a
// long run of instances made and ended through plugMain, and host calls in unexpected orders.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "effect/qm_plugin.h"
#include "glsupport/gl.h"
#if defined(MOSARO_BUILTIN_GL_LOADER)
#include "glsupport/gl_entry_points.h"
#endif
#include "host/plugin_abi.h"
#include "tools/caller/documents_folder.h"
#include "tests/support/gl_object_count.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/in_process_module.h"
#include "tests/support/listed_records.h"
#include "tests/support/process_resources.h"
#include "tests/support/upload_recorder.h"
#include "tests/support/qm_plugin_inside.h"
#include "tools/caller/gl_context.h"
#include "tools/caller/plugin_module.h"


namespace {

constexpr int kW = 32;  // a tiny viewport keeps thousands of frames fast
constexpr int kH = 18;
constexpr int kSoakFrames = 5000;

// ---- The presets the soak's writer produces, and the lists the reader may make of them. ----

struct SliceSpec {
  std::string name;
  float x0, y0, x1, y1;  // input rectangle; the output rectangle is the same scaled by 2
};

// Version v of the host's mapping: screen "Screen v" with 1 + v % 5 slices; in every 7th version the
// first slice has zero width, a quad the effect must skip rather than draw.
std::vector<SliceSpec> SlicesOf(int v) {
  std::vector<SliceSpec> slices;
  const int count = 1 + v % 5;
  for (int i = 0; i < count; ++i) {
    const float x0 = static_cast<float>((v * 3 + i * 5) % 16);
    const float y0 = static_cast<float>((v + i * 2) % 9);
    const float width = (v % 7 == 0 && i == 0) ? 0.0f : static_cast<float>(4 + (v + i) % 12);
    const float height = static_cast<float>(3 + (v * i) % 8);
    slices.push_back({"v" + std::to_string(v) + "." + std::to_string(i), x0, y0, x0 + width, y0 + height});
  }
  return slices;
}

// Version v as the host writes it: one screen, its slices in SlicesOf order; the output rectangle of each is
// its input rectangle scaled by 2.
std::vector<testsupport::PresetScreen> ScreensOf(int v) {
  testsupport::PresetScreen screen{"Screen " + std::to_string(v), {}};
  for (const SliceSpec& s : SlicesOf(v))
    screen.slices.push_back({s.name, testsupport::Box(s.x0, s.y0, s.x1, s.y1),
                             testsupport::Box(2 * s.x0, 2 * s.y0, 2 * s.x1, 2 * s.y1)});
  return {screen};
}

std::string PresetText(int v) {
  testsupport::PresetStyle style;
  style.documentName = "Soak";
  return testsupport::PresetXml(ScreensOf(v), style);
}

// The list the reader makes of version v: the screen entry, then the slices last to first.
std::vector<SliceRecord> ExpectedList(int v) { return testsupport::ListedRecords(ScreensOf(v)); }

// The version whose complete list this is, or -1 when it is no complete list of any version.
int VersionOf(const std::vector<SliceRecord>& list) {
  const std::string prefix = "Screen ";
  if (list.empty() || list[0].screenName.compare(0, prefix.size(), prefix) != 0) return -1;
  const int v = std::atoi(list[0].screenName.c_str() + prefix.size());
  const std::vector<SliceRecord> expected = ExpectedList(v);
  if (expected.size() != list.size()) return -1;
  for (size_t i = 0; i < list.size(); ++i) {
    if (!(list[i] == expected[i])) return -1;
  }
  return v;
}

// ---- The host saving presets on another thread while the effect plays. ----

// Rewrites, tears, renames, adds and deletes preset files in the preset folder until stopped. File times
// count in whole seconds here, so every save is stamped one second after the one before, as if the host
// saved once a second; the newest file is then always the one saved last.
class PresetWriter {
 public:
  PresetWriter(std::string presetFolder, const std::atomic<int>& readerRefreshes)
      : folder(std::move(presetFolder)), refreshes(readerRefreshes) {}

  // Writes version 1 as the first preset, before the effect exists.
  void WriteFirst() {
    names.push_back("mapping-1.xml");
    WriteInPlace(Path(names.back()), PresetText(NextVersion()), 1, NextSecond());
  }
  void Start() {
    thread = std::thread([this] { Loop(); });
  }
  void Stop() {
    stop = true;
    if (thread.joinable()) thread.join();
  }
  // Highest version whose writing has begun.
  int LatestVersion() const { return started.load(); }
  // The time stamp of the latest save, in seconds.
  int64_t LatestSecond() const { return clock.load(); }
  int tornWrites = 0;  // read by the test after Stop
  int operations = 0;

 private:
  std::string Path(const std::string& name) const { return folder + "/" + name; }
  int NextVersion() { return ++started; }
  int64_t NextSecond() { return ++clock; }

  static std::filesystem::path Native(const std::string& path) { return std::filesystem::u8path(path); }

  // Truncates the file and writes it in pieces, so that a reader may find any prefix of it.
  static void WriteInPlace(const std::string& path, const std::string& text, int pieces, int64_t second) {
#if defined(_WIN32)
    std::FILE* file = _wfopen(Native(path).c_str(), L"wb");
#else
    std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
    if (!file) return;
    caller::SetWriteTime(path, second * 1000);
    const size_t step = text.size() / static_cast<size_t>(pieces) + 1;
    for (size_t at = 0; at < text.size(); at += step) {
      std::fwrite(text.data() + at, 1, std::min(step, text.size() - at), file);
      std::fflush(file);
      caller::SetWriteTime(path, second * 1000);
      std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    std::fclose(file);
  }

  // Writes a scratch file (not "*.xml") and moves it over the preset: readers see old or new, whole.
  void WriteThenRename(const std::string& name, const std::string& text) {
    const std::string scratch = Path("~saving-" + std::to_string(operations));
    WriteInPlace(scratch, text, 1, NextSecond());
    std::error_code error;
    std::filesystem::rename(Native(scratch), Native(Path(name)), error);
  }
  void Remove(const std::string& name) {
    std::error_code error;
    std::filesystem::remove(Native(Path(name)), error);
  }

  // Leaves a cut-off file (possibly empty) until the effect has refreshed once, then completes it.
  void TearThenComplete(const std::string& name, const std::string& text, size_t cut) {
    WriteInPlace(Path(name), text.substr(0, cut), 1, NextSecond());
    ++tornWrites;
    const int seen = refreshes.load();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!stop && refreshes.load() == seen && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    WriteInPlace(Path(name), text, 3, NextSecond());
  }

  void Loop() {
    std::mt19937 random(20240611);
    while (!stop) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      ++operations;
      const int choice = static_cast<int>(random() % 10);
      if (choice <= 2) {
        WriteInPlace(Path(names.back()), PresetText(NextVersion()), 4, NextSecond());
      } else if (choice <= 4) {
        const std::string text = PresetText(NextVersion());
        // Cut anywhere before the root's end tag, the empty file included.
        TearThenComplete(names.back(), text, random() % (text.size() - 12));
      } else if (choice <= 6) {
        WriteThenRename(names.back(), PresetText(NextVersion()));
      } else if (choice <= 8 || names.size() < 2) {
        names.push_back("mapping-" + std::to_string(operations) + ".xml");
        WriteThenRename(names.back(), PresetText(NextVersion()));
        if (names.size() > 4) {
          Remove(names.front());
          names.erase(names.begin());
        }
      } else {
        // Deleting the newest leaves an older, complete preset as the newest.
        Remove(names.back());
        names.pop_back();
      }
    }
  }

  std::string folder;
  const std::atomic<int>& refreshes;
  std::vector<std::string> names;  // oldest first; the last one is the newest
  std::atomic<int> started{0};
  std::atomic<int64_t> clock{static_cast<int64_t>(time(nullptr))};
  std::atomic<bool> stop{false};
  std::thread thread;
};

// ---- What reaches the quad buffer: every upload through the effect's map and unmap is inspected. ----

using testsupport::AllFinite;
using testsupport::CountGlObjects;
using testsupport::GlObjectCount;
using testsupport::UploadRecorder;
using testsupport::Uploads;

// ---- Shared fixture: context, the host's framebuffer and the input picture. ----

class HostFixture : public testsupport::GlTest {
 protected:
  void SetUp() override {
    testsupport::GlTest::SetUp();
    target = std::make_unique<caller::RenderTarget>(kW, kH);
    ASSERT_TRUE(target->complete());
    std::vector<uint8_t> pixels;
    for (int i = 0; i < kW * kH; ++i) {
      for (int channel : {i % 256, (i * 7) % 256, 90, 255}) pixels.push_back(static_cast<uint8_t>(channel));
    }
    input = std::make_unique<caller::Texture>(kW, kH, pixels);
    texture = TextureRecord{kW, kH, kW, kH, input->name()};
    textures[0] = &texture;
    frame = FrameRecord{1, textures};
  }

  std::unique_ptr<caller::RenderTarget> target;
  std::unique_ptr<caller::Texture> input;
  TextureRecord texture{};
  TextureRecord* textures[1] = {};
  FrameRecord frame{};
};

// ---- 5,000 frames with Live Update on while the preset changes under the effect. ----

class LiveUpdateSoak : public HostFixture {
 protected:
  void TearDown() override { testsupport::InProcess().Call(kDeinitialise, 0, nullptr); }
};

TEST_F(LiveUpdateSoak, FiveThousandFramesWhileTheHostRewritesItsPresets) {
  caller::DocumentsFolder documents;
  ASSERT_TRUE(documents.valid()) << documents.error();
  std::atomic<int> refreshes{0};
  // A host folder named beyond ASCII, as a stage's often is.
  PresetWriter writer(documents.PresetFolder("Bühne Süd"), refreshes);
  writer.WriteFirst();

  const testsupport::InProcessEffect made = testsupport::InstantiateEffect({0, 0, kW, kH});
  ASSERT_NE(made.effect, nullptr);
  void* handle = made.handle;
  QmPlugin* effect = made.effect;
  ASSERT_EQ(VersionOf(testsupport::Inside(effect).outputSetup.slices), 1);
  ASSERT_EQ(testsupport::Inside(effect).liveUpdate->GetValue(), 1.0f) << "Live Update is on by default";

  auto set = [&](int32_t k, int32_t j, float value) {
    SetParameterRecord record{};
    record.index = static_cast<uint32_t>(effect->LayerParamIndex(k, j));
    record.value.floatValue = value;
    ASSERT_EQ(testsupport::InProcess().Call(kSetParameter, AddressOf(&record), handle), 0u);
  };
  for (int32_t k = 1; k <= 4; ++k) {
    set(k, kSlotEnable, 1.0f);
    set(k, kSlotSymmetry, static_cast<float>(k - 1));
    set(k, kSlotWidth, 12.0f);
    set(k, kSlotHeight, 6.0f);
    set(k, kSlotRotateOut, 30.0f * static_cast<float>(k));
  }

  int failedFrames = 0, badLists = 0, nonFiniteVertices = 0, tornReads = 0, reads = 0, versionChanges = 0;
  int lastVersion = 1;
  const testsupport::OpenHandles handlesBefore = testsupport::OpenHandlesNow();
  {
    UploadRecorder recorder;
    writer.Start();
    for (int n = 1; n <= kSoakFrames; ++n) {
      if (n % 10 == 1) {
        // Choices up to 7 point past the shorter lists; the render pass resets those to "None".
        for (int32_t k = 1; k <= 4; ++k) {
          set(k, kSlotSliceOutput, static_cast<float>((n / 10 + k) % 8));
          set(k, kSlotSliceSample, static_cast<float>((n / 10 + 2 * k) % 8));
        }
      }
      if (testsupport::InProcess().Call(kProcessOpenGL, AddressOf(&frame), handle) != 0) ++failedFrames;
      Uploads().uploads.clear();  // counted as they came; only the counts are kept
      if (testsupport::Inside(effect).frameCounter == 1) {
        ++refreshes;
        if (testsupport::Inside(effect).outputSetup.readStatus.outcome == ReadOutcome::ParseFailed) ++tornReads;
        if (testsupport::Inside(effect).outputSetup.readStatus.outcome == ReadOutcome::Read) ++reads;
      }
      const int version = VersionOf(testsupport::Inside(effect).outputSetup.slices);
      if (version < 1 || version > writer.LatestVersion()) ++badLists;
      if (version != lastVersion) ++versionChanges;
      lastVersion = version;
      if (!AllFinite(testsupport::Inside(effect).quadGeometry.vertices, 6)) ++nonFiniteVertices;
      if (n % 100 == 0) glFinish();
    }
    writer.Stop();

    // The host's last save, whole, is what the next refresh brings.
    const int finalVersion = writer.LatestVersion() + 1;
    documents.WritePreset("Bühne Süd", "final.xml", PresetText(finalVersion), (writer.LatestSecond() + 1) * 1000);
    for (int n = 0; n < 59; ++n)
      ASSERT_EQ(testsupport::InProcess().Call(kProcessOpenGL, AddressOf(&frame), handle), 0u);
    EXPECT_EQ(VersionOf(testsupport::Inside(effect).outputSetup.slices), finalVersion);
    EXPECT_EQ(Uploads().nonFiniteUploads, 0) << "of " << Uploads().uploadCount << " uploads";
    EXPECT_GT(Uploads().uploadCount, kSoakFrames);
  }
  EXPECT_EQ(testsupport::InProcess().Call(kDeInstantiateGL, 0, handle), 0u);
  EXPECT_EQ(testsupport::HandlesOpened(handlesBefore, testsupport::OpenHandlesNow()), "")
      << "a file or handle of a read stayed open";

  EXPECT_EQ(failedFrames, 0);
  EXPECT_EQ(badLists, 0) << "a list that is empty, partial or of no written version";
  EXPECT_EQ(nonFiniteVertices, 0);
  EXPECT_GT(tornReads, 0) << "the effect never met a torn preset; the test proved nothing";
  EXPECT_GT(reads, 0);
  EXPECT_GT(versionChanges, 3);
  EXPECT_GT(writer.tornWrites, 0);
  std::printf("soak: %d frames, %d refreshes (%d read, %d met a torn file), %d writer operations, %d versions "
              "written, %d list changes, %d quad uploads\n",
              kSoakFrames, refreshes.load(), reads, tornReads, writer.operations, writer.LatestVersion(),
              versionChanges, Uploads().uploadCount);
}

// ---- Instances made and ended through the module's plugMain. ----

class ModuleHost : public HostFixture {
 protected:
  static void SetUpTestSuite() {
    testsupport::GlTest::SetUpTestSuite();
    documents = std::make_unique<caller::DocumentsFolder>();
    documents->WritePreset("Host", "mapping.xml", PresetText(3), 1700000000000);
    module = std::make_unique<caller::PluginModule>();
    module->Load(MOSARO_PRODUCT_MODULE);
  }
  static void TearDownTestSuite() {
    if (module && module->loaded()) module->Deinitialise();
    module.reset();
    documents.reset();
  }
  void SetUp() override {
    HostFixture::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(module->loaded()) << module->error();
  }

  void* Instantiate(uint32_t width = kW, uint32_t height = kH) const {
    const ViewportRecord viewport{0, 0, width, height};
    return module->Instantiate(&viewport);
  }
  uint32_t Index(const char* name) const {
    const int64_t index = module->FindParameter(name);
    EXPECT_GE(index, 0) << name;
    return static_cast<uint32_t>(index);
  }

  static std::unique_ptr<caller::DocumentsFolder> documents;
  static std::unique_ptr<caller::PluginModule> module;
};
std::unique_ptr<caller::DocumentsFolder> ModuleHost::documents;
std::unique_ptr<caller::PluginModule> ModuleHost::module;

// The instances never draw: the GL driver keeps memory for every program that has drawn, even after the
// program is deleted (about 350 KiB each here), which would hide the module's own growth. Frames are the
// soak's and the sanitizers' part. Heap use is compared over two equal halves of the run, so that a
// one-time allocation of the driver or the C library in one half does not count as growth.
TEST_F(ModuleHost, TwoHundredInstancesComeAndGoWithoutGrowthOfMemoryOrGlObjects) {
  ASSERT_EQ(module->GetNumParameters(), kParameterCount) << "the prototype exists before counting starts";
  const uint32_t enable2 = Index("Enable 2");
  const uint32_t sliceOutput1 = Index("Slice Output 1");
  const uint32_t name1 = Index("Name 1");
  const uint32_t options = Index("Options");
  const uint32_t opacity1 = Index("Opacity 1");
  auto cycle = [&](int n) {
    void* instance = Instantiate();
    ASSERT_NE(instance, nullptr) << "instance " << n;
    ASSERT_EQ(module->SetFloat(instance, enable2, 1.0f), 0u);
    ASSERT_EQ(module->SetFloat(instance, sliceOutput1, static_cast<float>(n % 4)), 0u);
    ASSERT_EQ(module->SetFloat(instance, options, static_cast<float>(n % 2)), 0u);
    ASSERT_EQ(module->SetText(instance, name1, "a layer name longer than any small-string buffer"), 0u);
    ASSERT_STREQ(module->GetDisplay(instance, opacity1), "100%");
    module->CollectEvents(instance, static_cast<uint32_t>(n % 3));
    ASSERT_EQ(module->DeInstantiate(instance), 0u);
  };

  // Warm-up: the driver's first compilations and the allocators' pools settle.
  for (int n = 0; n < 20; ++n) cycle(n);
  glFinish();
  const GlObjectCount before = CountGlObjects();
  const testsupport::OpenHandles handlesAfterWarmUp = testsupport::OpenHandlesNow();
  const long long heapAfterWarmUp = static_cast<long long>(testsupport::HeapBytesInUse());
  for (int n = 20; n < 110; ++n) cycle(n);
  glFinish();
  const long long heapHalfway = static_cast<long long>(testsupport::HeapBytesInUse());
  for (int n = 110; n < 200; ++n) cycle(n);
  glFinish();
  const long long heapAtEnd = static_cast<long long>(testsupport::HeapBytesInUse());

  EXPECT_EQ(CountGlObjects(), before);
  EXPECT_EQ(testsupport::HandlesOpened(handlesAfterWarmUp, testsupport::OpenHandlesNow()), "");
  // 32 KiB over 90 instances: a leak of some 360 bytes per instance shows in both halves; a whole
  // instance left behind holds far more (every parameter with its registry entry).
  const long long firstHalf = heapHalfway - heapAfterWarmUp;
  const long long secondHalf = heapAtEnd - heapHalfway;
  EXPECT_LT(std::min(firstHalf, secondHalf), 32 * 1024)
      << "heap grew by " << firstHalf << " and " << secondHalf << " bytes over two runs of 90 instances";
  std::printf("churn: 200 instances, heap %+lld and %+lld bytes over the two halves after warm-up\n", firstHalf,
              secondHalf);
}

// ---- A host calling codes in an order the interface allows but does not expect. ----

TEST_F(ModuleHost, FramesBeforeConnectAndConnectDisconnectInAnyOrder) {
  EXPECT_EQ(module->ProcessFrame(nullptr, &frame), kStatusFailure) << "a frame without an instance";
  void* instance = Instantiate();
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(module->ProcessFrame(instance, &frame), 0u) << "the first frame connects by itself";
  EXPECT_EQ(module->Disconnect(instance), 0u);
  EXPECT_EQ(module->Disconnect(instance), 0u) << "disconnecting twice";
  EXPECT_EQ(module->ProcessFrame(instance, &frame), 0u) << "a frame after disconnect connects again";
  EXPECT_EQ(module->Connect(instance), 0u);
  EXPECT_EQ(module->Connect(instance), 0u) << "connecting twice";
  EXPECT_EQ(module->ProcessFrame(instance, nullptr), kStatusFailure) << "a frame without a record";
  const FrameRecord empty{0, nullptr};
  EXPECT_EQ(module->ProcessFrame(instance, &empty), kStatusFailure) << "a frame without an input";
  EXPECT_EQ(module->DeInstantiate(instance), 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModuleHost, DeinstantiateWithoutAnyFrameReleasesEverything) {
  ASSERT_EQ(module->Initialise(), 0u);
  const GlObjectCount before = CountGlObjects();
  void* instance = Instantiate();
  ASSERT_NE(instance, nullptr);
  const GlObjectCount live = CountGlObjects();
  EXPECT_EQ(live.programs, before.programs + 2) << "the layer and the overlay program";
  EXPECT_EQ(live.buffers, before.buffers + 1);
  EXPECT_EQ(live.vertexArrays, before.vertexArrays + 1);
  EXPECT_EQ(module->DeInstantiate(instance), 0u);
  EXPECT_EQ(CountGlObjects(), before);
  EXPECT_EQ(module->DeInstantiate(nullptr), kStatusFailure) << "deinstantiate without an instance";
}

TEST_F(ModuleHost, DeinitialiseWhileInstancesLiveLeavesThemWorking) {
  void* first = Instantiate();
  void* second = Instantiate(16, 16);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(module->ProcessFrame(first, &frame), 0u);
  module->CollectEvents(first, 1000);  // the visibility events of instantiation

  EXPECT_EQ(module->Deinitialise(), 0u);
  EXPECT_EQ(module->Deinitialise(), 0u) << "code 2 without a prototype";
  EXPECT_EQ(module->ProcessFrame(first, &frame), 0u);
  EXPECT_EQ(module->ProcessFrame(second, &frame), 0u);
  // Routing by type makes the prototype again.
  EXPECT_EQ(module->SetFloat(first, Index("Opacity 1"), 0.5f), 0u);
  EXPECT_EQ(module->GetFloat(first, Index("Opacity 1")), 0.5f);
  EXPECT_EQ(module->SetText(first, Index("Name 1"), "kept"), 0u);

  EXPECT_EQ(module->Deinitialise(), 0u);
  EXPECT_STREQ(module->GetDisplay(first, Index("Opacity 1")), "50%");
  EXPECT_EQ(module->Deinitialise(), 0u);
  EXPECT_STREQ(module->GetDisplay(first, Index("Name 1")), "kept");
  EXPECT_EQ(module->Deinitialise(), 0u);
  EXPECT_EQ(module->SetFloat(first, Index("Options"), 1.0f), 0u);
  EXPECT_EQ(module->Deinitialise(), 0u);
  EXPECT_EQ(module->CountEvents(first), 8u) << "Options shows its eight parameters";
  const std::vector<ParamEventRecord> events = module->CollectEvents(first, 8);
  ASSERT_EQ(events.size(), 8u);
  EXPECT_EQ(events.front().paramIndex, 2u);
  EXPECT_EQ(events.back().paramIndex, 9u);
  EXPECT_EQ(module->GetVisibility(2, first), 1u);

  EXPECT_EQ(module->DeInstantiate(first), 0u);
  EXPECT_EQ(module->ProcessFrame(second, &frame), 0u);
  EXPECT_EQ(module->DeInstantiate(second), 0u);
  EXPECT_EQ(module->GetNumParameters(), kParameterCount);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModuleHost, DegenerateViewportsAndInputsDrawNothingNonFiniteAndStillSucceed) {
  void* instance = Instantiate(0, 0);
  ASSERT_NE(instance, nullptr) << "a zero viewport is the host's to choose";
  EXPECT_EQ(module->SetFloat(instance, Index("Symmetry 1"), 1.0f), 0u);
  EXPECT_EQ(module->ProcessFrame(instance, &frame), 0u);
  const ViewportRecord huge{0, 0, 0xFFFFFFFFu, 1};
  EXPECT_EQ(module->Resize(instance, &huge), 0u);
  EXPECT_EQ(module->ProcessFrame(instance, &frame), 0u);
  TextureRecord noSizes{0, 0, 0, 0, input->name()};
  TextureRecord* inputs[2] = {&noSizes, nullptr};
  const FrameRecord zeroSized{2, inputs};
  const ViewportRecord normal{0, 0, kW, kH};
  EXPECT_EQ(module->Resize(instance, &normal), 0u);
  EXPECT_EQ(module->ProcessFrame(instance, &zeroSized), 0u);
  EXPECT_EQ(module->DeInstantiate(instance), 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
