// Loading and unloading the product module as hosts do (a plugin rescan, or freeing a plugin once its last
// instance is gone), thousands of times in one process: nothing of it may stay behind, neither a thread-local
// slot, nor a handle, nor heap memory, nor a GL object.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "effect/layer_params.h"
#include "tests/support/gl_object_count.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/process_resources.h"
#include "tools/caller/documents_folder.h"
#include "tools/caller/gl_context.h"
#include "tools/caller/plugin_module.h"
#include "tools/caller/temp_folder.h"

namespace {

// A host's thousands of reloads; under the sanitizer, whose loader hooks are slow, a fifth of them.
constexpr int kLoadCycles = testsupport::kUnderAddressSanitizer ? 1000 : 5000;
constexpr int kFullCycles = testsupport::kUnderAddressSanitizer ? 200 : 1000;
// Heap bytes that all cycles together may add: far less than a byte kept per cycle would come to.
constexpr long long kHeapSlack = 4096;

// What the process holds that a module could keep.
struct Held {
  long long heapBytes;
  size_t freeSlots;
  testsupport::OpenHandles handles;
};

// The heap last: counting the slots takes every free one once, and the system may make room for them then. The
// heap is counted with this count's list of handles in it, as it is again when the counts are compared.
Held Now() {
  const size_t freeSlots = testsupport::FreeThreadSlots();
  testsupport::OpenHandles handles = testsupport::OpenHandlesNow();
  return {static_cast<long long>(testsupport::HeapBytesInUse()), freeSlots, std::move(handles)};
}

std::ostream& operator<<(std::ostream& out, const Held& held) {
  return out << held.heapBytes << " heap bytes, " << held.freeSlots << " free thread-local slots, "
             << held.handles.size() << " open handles";
}

// Counts again as Now() does, but the handles after the heap, so that before's list is the only one in both.
void ExpectNothingKept(const Held& before, int cycles, bool heapIsTheModules) {
  Held after{0, testsupport::FreeThreadSlots(), {}};
  after.heapBytes = static_cast<long long>(testsupport::HeapBytesInUse());
  after.handles = testsupport::OpenHandlesNow();
  EXPECT_EQ(after.freeSlots, before.freeSlots) << cycles << " cycles kept thread-local slots";
  EXPECT_EQ(testsupport::HandlesOpened(before.handles, after.handles), "") << cycles << " cycles kept handles";
  if (heapIsTheModules) {
    EXPECT_LE(after.heapBytes - before.heapBytes, kHeapSlack) << "before: " << before << "; after: " << after;
  }
}

class ModuleReload : public testsupport::GlTest {
 protected:
  static constexpr int kW = 64, kH = 36;

  void SetUp() override {
    testsupport::GlTest::SetUp();
    ASSERT_TRUE(documents.valid()) << documents.error();
    std::string preset;
    ASSERT_TRUE(caller::ReadBytes(std::filesystem::u8path(MOSARO_TEST_DATA "/presets/two_slices.xml"), preset));
    ASSERT_FALSE(documents.WritePreset("Host", "mapping.xml", preset, 1700000000000).empty());
  }

  // Loads the module, asks what a host asks while it lists plugins, and unloads it.
  static void Describe(caller::PluginModule& module) {
    ASSERT_TRUE(module.Load(MOSARO_PRODUCT_MODULE)) << module.error();
    ASSERT_NE(module.GetInfo(), nullptr);
    ASSERT_EQ(module.GetNumParameters(), kParameterCount);
    ASSERT_EQ(module.GetParameterName(0), "Live Update");
    ASSERT_EQ(module.GetNumElements(static_cast<uint32_t>(module.FindParameter("Slice Output 1"))), 4u);
  }

  // One life of the module in a host: described, instantiated, a few frames, ended, unloaded.
  void FullCycle(caller::RenderTarget& target, const FrameRecord& frame) {
    caller::PluginModule module;
    Describe(module);
    const ViewportRecord viewport{0, 0, kW, kH};
    void* instance = module.Instantiate(&viewport);
    ASSERT_NE(instance, nullptr);
    const auto rotateIn = static_cast<uint32_t>(module.FindParameter("Rotate In 1"));
    ASSERT_EQ(module.SetFloat(instance, static_cast<uint32_t>(module.FindParameter("Slice Output 1")), 2.0f), 0u);
    ASSERT_EQ(module.SetFloat(instance, rotateIn, 90.0f), 0u);
    for (int n = 0; n < 3; ++n) {
      target.Bind();
      ASSERT_EQ(module.ProcessFrame(instance, &frame), 0u);
    }
    ASSERT_STREQ(module.GetDisplay(instance, rotateIn), "+90");
    ASSERT_EQ(module.DeInstantiate(instance), 0u);
    module.Deinitialise();
    ASSERT_TRUE(module.Unload());
  }

  caller::DocumentsFolder documents;
};

TEST_F(ModuleReload, LoadingAndUnloadingKeepsNothing) {
  auto cycle = [] {
    caller::PluginModule module;
    ASSERT_TRUE(module.Load(MOSARO_PRODUCT_MODULE)) << module.error();
    ASSERT_TRUE(module.Unload());
  };
  // The system libraries the module imports stay, and so does what the first load of any module sets up.
  ASSERT_TRUE(testsupport::KeepImportsLoaded(MOSARO_PRODUCT_MODULE));
  cycle();
  const Held before = Now();
  // A module that keeps a slot a cycle uses up the process's slots long before the end: the count is watched.
  for (int n = 1; n <= kLoadCycles && !HasFailure(); ++n) {
    cycle();
    if (n % 250 == 0) {
      ASSERT_EQ(testsupport::FreeThreadSlots(), before.freeSlots) << "after " << n << " cycles";
    }
  }
  ExpectNothingKept(before, kLoadCycles, !testsupport::kUnderAddressSanitizer);
}

TEST_F(ModuleReload, FullLivesKeepNothing) {
  caller::RenderTarget target(kW, kH);
  ASSERT_TRUE(target.complete());
  const caller::Texture input(kW, kH, std::vector<uint8_t>(kW * kH * 4, 200));
  TextureRecord texture{kW, kH, kW, kH, input.name()};
  TextureRecord* textures[1] = {&texture};
  const FrameRecord frame{1, textures};
  ASSERT_TRUE(testsupport::KeepImportsLoaded(MOSARO_PRODUCT_MODULE));
  FullCycle(target, frame);
  ASSERT_FALSE(HasFailure());
  const Held before = Now();
  const testsupport::GlObjectCount objectsBefore = testsupport::CountGlObjects();
  for (int n = 1; n <= kFullCycles && !HasFailure(); ++n) {
    FullCycle(target, frame);
    if (n % 100 == 0) {
      ASSERT_EQ(testsupport::FreeThreadSlots(), before.freeSlots) << "after " << n << " lives";
    }
  }
  ExpectNothingKept(before, kFullCycles,
                    !testsupport::kDriverSharesTheHeap && !testsupport::kUnderAddressSanitizer);
  EXPECT_EQ(testsupport::CountGlObjects(), objectsBefore);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
