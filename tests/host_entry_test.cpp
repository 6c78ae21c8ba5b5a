// The host interface through the real exported plugMain of the built modules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "tests/support/gl_object_count.h"
#include "tests/support/shared_context.h"
#include "tools/caller/temp_folder.h"
#include "tests/support/test_effect_control.h"
#include "tools/caller/gl_context.h"
#include "tools/caller/plugin_module.h"

namespace {

TEST(ProductModule, InformationRecordBytes) {
  caller::PluginModule module;
  ASSERT_TRUE(module.Load(MOSARO_PRODUCT_MODULE)) << module.error();
  const auto* bytes = reinterpret_cast<const uint8_t*>(module.GetInfo());
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(module.GetExtendedInfo()) - bytes, 32);
  const uint8_t head[40] = {2,   0,   0,   0,   1,   0,   0,   0,   'Q', 'M', '0', '1', 'M', 'o',
                            's', 'a', 'r', 'o', ' ', '2', 0,   0,   0,   0,   0,   0,   0,   0,
                            0,   0,   0,   0,   1,   0,   0,   0,   0,   0,   0,   0};
  EXPECT_EQ(std::memcmp(bytes, head, sizeof head), 0);
  const PluginInfoLayout* info = module.GetInfo();
  EXPECT_STREQ(info->description, "Mosaro 2 slice mapper");
  EXPECT_STREQ(info->about, "Freely map your content with extra layers within a plugin");
  const uint8_t tail[16] = {};
  EXPECT_EQ(std::memcmp(bytes + 56, tail, sizeof tail), 0);  // no extended data, zero padding, null block
}

// Every test starts from a module with no prototype, a clean log and all switches off.
class EntryPoint : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module = new caller::PluginModule;
    ASSERT_TRUE(module->Load(MOSARO_TEST_MODULE)) << module->error();
    control = ControlOf(*module);
    ASSERT_NE(control, nullptr);
  }
  // The switches of a loaded test module.
  static TestEffectControl* ControlOf(const caller::PluginModule& loaded) {
    auto get = reinterpret_cast<TestEffectControl* (*)()>(loaded.Symbol("testEffectControl"));
    return get ? get() : nullptr;
  }
  static void TearDownTestSuite() {
    module->Deinitialise();
    delete module;
    module = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(testsupport::SharedContext().valid()) << testsupport::SharedContext().error();
    ASSERT_TRUE(testsupport::SharedContext().MakeCurrent());
    module->Deinitialise();
    std::memset(control->log, 0, sizeof control->log);
    control->factoryFails = control->factoryThrows = control->initGLFails = control->initGLThrows = false;
    control->setFloatFailsAtIndex = false;
  }
  void TearDown() override { module->Deinitialise(); }
  std::string Log() const { return control->log; }
  void ClearLog() { std::memset(control->log, 0, sizeof control->log); }

  static caller::PluginModule* module;
  static TestEffectControl* control;
};
caller::PluginModule* EntryPoint::module = nullptr;
TestEffectControl* EntryPoint::control = nullptr;

TEST_F(EntryPoint, NameOfSixteenOrMoreCharactersFillsTheFieldWithoutTerminator) {
  const PluginInfoLayout* info = module->GetInfo();
  EXPECT_EQ(std::memcmp(info->pluginName, "Test Effect Name", 16), 0);
  EXPECT_EQ(std::memcmp(info->uniqueId, "QT01", 4), 0);
  EXPECT_EQ(Log(), "");  // codes 0 and 13 need no prototype
}

TEST_F(EntryPoint, UnknownCodesFail) {
  for (uint32_t code : {1u, 3u, 11u, 12u, 14u, 24u, 25u, 26u, 27u, 28u, 29u, 30u, 47u, 1000u, 0xFFFFFFFFu})
    EXPECT_EQ(module->Call(code, 0, nullptr), kStatusFailure) << "code " << code;
}

TEST_F(EntryPoint, PrototypeIsMadeOnDemandAndRebuiltAfterDeinitialise) {
  EXPECT_EQ(module->GetNumParameters(), 6u);
  EXPECT_EQ(module->GetNumParameters(), 6u);
  EXPECT_EQ(Log(), "Construct;");
  EXPECT_EQ(module->Deinitialise(), kStatusSuccess);
  EXPECT_EQ(module->Deinitialise(), kStatusSuccess);
  EXPECT_EQ(Log(), "Construct;Destroy;");
  EXPECT_EQ(module->Initialise(), kStatusSuccess);
  EXPECT_EQ(Log(), "Construct;Destroy;Construct;");
}

TEST_F(EntryPoint, DescriptionCodesAnswerFromThePrototype) {
  EXPECT_EQ(module->GetParameterName(0), "Standard");
  EXPECT_EQ(std::memcmp(module->GetParameterNameField(5), "A Name Of 20 Cha", 16), 0);
  EXPECT_EQ(module->GetParameterNameField(6), nullptr);
  EXPECT_EQ(module->GetParameterDefaultFloat(0), 1.0f);  // 1.5 clamped for the standard type
  EXPECT_EQ(module->GetParameterDefaultFloat(1), 1920.0f);
  EXPECT_EQ(module->GetParameterDefaultFloat(5), 0.0f);
  const char* text = module->GetParameterDefaultText(3);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(module->GetParameterDefaultRaw(6), kStatusFailure);
  EXPECT_EQ(module->GetParameterType(2), kTypeOption);
  EXPECT_EQ(module->GetParameterType(3), kTypeText);
  EXPECT_EQ(module->GetParameterType(6), kStatusFailure);
  EXPECT_EQ(module->GetParameterUsage(0), 0u);
  EXPECT_EQ(module->GetParameterUsage(6), kStatusFailure);
  EXPECT_EQ(module->GetShortName(), nullptr);
}

TEST_F(EntryPoint, Capabilities) {
  EXPECT_EQ(module->GetPluginCaps(kCapTimeSupported), 1u);
  EXPECT_EQ(module->GetPluginCaps(kCapMinInputs), 1u);
  EXPECT_EQ(module->GetPluginCaps(kCapMaxInputs), 1u);
  EXPECT_EQ(module->GetPluginCaps(0), 0u);
  EXPECT_EQ(module->GetPluginCaps(12), 0u);
}

TEST_F(EntryPoint, ElementsOfOptionsAndPlainParameters) {
  EXPECT_EQ(module->GetNumElements(0), 1u);
  EXPECT_STREQ(module->GetElementName(0, 0), "");
  EXPECT_EQ(module->GetElementValue(0, 0), 0.0f);
  EXPECT_EQ(module->GetNumElements(2), 4u);
  EXPECT_STREQ(module->GetElementName(2, 0), "Clamp");
  EXPECT_STREQ(module->GetElementName(2, 3), "Quad");
  EXPECT_EQ(module->GetElementValue(2, 3), 3.0f);
  EXPECT_EQ(module->GetElementName(2, 4), nullptr);
  EXPECT_EQ(module->GetElementValueRaw(2, 4), kStatusFailure);
  EXPECT_EQ(module->GetElementName(9, 0), nullptr);
  EXPECT_EQ(module->GetNumElements(9), kStatusFailure);
  EXPECT_EQ(module->Call(kGetParameterElementName, 0), 0u);  // null record
  EXPECT_EQ(module->Call(kGetParameterElementValue, 0), kStatusFailure);
}

TEST_F(EntryPoint, RangeThumbnailAndFileExtensions) {
  RangeRecord range{1, 5.0f, 5.0f};
  EXPECT_EQ(module->GetRange(range), kStatusSuccess);
  EXPECT_EQ(range.minimum, -16384.0f);
  EXPECT_EQ(range.maximum, 16384.0f);
  RangeRecord missing{77, 5.0f, 5.0f};
  EXPECT_EQ(module->GetRange(missing), kStatusSuccess);
  EXPECT_EQ(missing.minimum, 0.0f);
  EXPECT_EQ(missing.maximum, 1.0f);
  EXPECT_EQ(module->Call(kGetRange, 0), kStatusFailure);

  ThumbnailRecord thumbnail{64, 64, nullptr};
  EXPECT_EQ(module->GetThumbnail(&thumbnail), kStatusFailure);
  EXPECT_EQ(thumbnail.width, 0u);
  EXPECT_EQ(thumbnail.height, 0u);
  EXPECT_EQ(module->GetThumbnail(nullptr), kStatusFailure);

  EXPECT_EQ(module->GetNumFileExtensions(0), 0u);
  EXPECT_EQ(module->GetNumFileExtensions(99), 0u);
  EXPECT_EQ(module->GetFileExtension(0, 0), nullptr);
  EXPECT_EQ(module->Call(kGetFileExtension, 0), 0u);
}

TEST_F(EntryPoint, WithoutPrototypeDescriptionCodesReturnTheirFailureValues) {
  control->factoryFails = true;
  EXPECT_EQ(module->GetNumParameters(), kStatusFailure);
  EXPECT_EQ(module->GetParameterNameField(0), nullptr);
  EXPECT_EQ(module->GetParameterDefaultRaw(0), kStatusFailure);
  EXPECT_EQ(module->GetPluginCaps(5), kStatusFailure);
  EXPECT_EQ(module->GetParameterType(0), kStatusFailure);
  EXPECT_EQ(module->GetNumElements(0), kStatusFailure);
  EXPECT_EQ(module->GetShortName(), nullptr);
  EXPECT_EQ(module->Initialise(), kStatusFailure);
  EXPECT_EQ(module->GetElementName(2, 0), nullptr);
  EXPECT_EQ(module->GetNumFileExtensions(0), kStatusFailure);
  EXPECT_EQ(module->GetVisibility(0), kStatusFailure);
  RangeRecord range{0, 5.0f, 5.0f};
  EXPECT_EQ(module->GetRange(range), kStatusFailure);
  EXPECT_EQ(range.minimum, 5.0f);  // untouched
  ViewportRecord vp{0, 0, 64, 64};
  EXPECT_EQ(module->Call(kInstantiateGL, AddressOf(&vp)), kPointerFailure);
}

TEST_F(EntryPoint, ExceptionsNeverCrossTheBoundary) {
  control->factoryThrows = true;
  int32_t live = control->liveInstances;
  EXPECT_EQ(module->GetNumParameters(), kStatusFailure);
  EXPECT_EQ(module->GetParameterNameField(0), nullptr);
  ViewportRecord vp{0, 0, 64, 64};
  EXPECT_EQ(module->Call(kInstantiateGL, AddressOf(&vp)), kPointerFailure);
  EXPECT_EQ(control->liveInstances, live);
}

TEST_F(EntryPoint, InstanceCodesFailWithoutInstance) {
  EXPECT_EQ(module->Call(kGetParameterDisplay, 0, nullptr), kPointerFailure);
  for (uint32_t code : {8u, 9u, 16u, 17u, 19u, 20u, 21u, 22u, 23u, 37u, 38u, 39u, 40u, 46u})
    EXPECT_EQ(module->Call(code, 0, nullptr), kStatusFailure) << "code " << code;
  EXPECT_EQ(Log(), "");
}

TEST_F(EntryPoint, VisibilityIsAnsweredByTheInstanceOrElseThePrototype) {
  EXPECT_EQ(module->GetVisibility(0), 1u);
  EXPECT_EQ(module->GetVisibility(42), kStatusFailure);
}

// Instantiation needs a current context; without one it fails and leaves the loader untried. A copy of the
// module gives the test a loader that no earlier instantiation has used.
TEST_F(EntryPoint, InstantiateWithoutContextFailsCleanlyThenSucceedsWithOne) {
  caller::TempFolder folder;
  const std::string copy = folder / "fresh.so";
  std::filesystem::copy_file(MOSARO_TEST_MODULE, copy);
  caller::PluginModule fresh;
  ASSERT_TRUE(fresh.Load(copy)) << fresh.error();
  TestEffectControl* freshControl = ControlOf(fresh);
  ASSERT_NE(freshControl, nullptr);
  testsupport::SharedContext().ReleaseCurrent();
  ViewportRecord vp{0, 0, 320, 180};
  EXPECT_EQ(fresh.Call(kInstantiateGL, AddressOf(&vp)), kPointerFailure);
  EXPECT_EQ(freshControl->liveInstances, 1);  // only the prototype remains
  ASSERT_TRUE(testsupport::SharedContext().MakeCurrent());
  void* instance = fresh.Instantiate(&vp);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(fresh.DeInstantiate(instance), kStatusSuccess);
  EXPECT_EQ(freshControl->liveInstances, 1);
  fresh.Deinitialise();
}

TEST_F(EntryPoint, InstantiateAppliesPrototypeDefaultsInIndexOrderThenInitGL) {
  module->GetNumParameters();
  ClearLog();
  ViewportRecord vp{0, 0, 320, 180};
  EXPECT_EQ(module->Call(kInstantiateGL, 0), kPointerFailure);
  void* instance = module->Instantiate(&vp);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(Log(), "Construct;SetFloat0;SetFloat1;SetFloat2;SetText3;SetFloat4;SetFloat5;InitGL;");
  // Defaults came from the prototype's registry: the standard default arrives clamped, the text as "".
  EXPECT_EQ(module->GetFloat(instance, 0), 1.0f);
  EXPECT_EQ(module->GetFloat(instance, 2), 2.0f);
  EXPECT_STREQ(module->GetText(instance, 3), "");
  ClearLog();
  EXPECT_EQ(module->DeInstantiate(instance), kStatusSuccess);
  EXPECT_EQ(Log(), "DeInitGL;Destroy;");  // never connected: no Disconnect
}

TEST_F(EntryPoint, FailedInitGLRunsDeInitGLThenDestroys) {
  module->GetNumParameters();
  control->initGLFails = true;
  ClearLog();
  ViewportRecord vp{0, 0, 32, 32};
  EXPECT_EQ(module->Call(kInstantiateGL, AddressOf(&vp)), kPointerFailure);
  EXPECT_EQ(Log(), "Construct;SetFloat0;SetFloat1;SetFloat2;SetText3;SetFloat4;SetFloat5;InitGL;DeInitGL;Destroy;");

  // Thrown after InitGL made its program (memory exhausted while building it): nothing stays behind.
  control->initGLFails = false;
  control->initGLThrows = true;
  const testsupport::GlObjectCount before = testsupport::CountGlObjects();
  ClearLog();
  EXPECT_EQ(module->Call(kInstantiateGL, AddressOf(&vp)), kPointerFailure);
  EXPECT_EQ(Log(), "Construct;SetFloat0;SetFloat1;SetFloat2;SetText3;SetFloat4;SetFloat5;InitGL;DeInitGL;Destroy;");
  EXPECT_EQ(testsupport::CountGlObjects(), before);
}

TEST_F(EntryPoint, FailedDefaultDestroysTheNewInstance) {
  module->GetNumParameters();
  control->setFloatFailsAtIndex = true;
  control->failIndex = 1;
  ClearLog();
  ViewportRecord vp{0, 0, 32, 32};
  EXPECT_EQ(module->Call(kInstantiateGL, AddressOf(&vp)), kPointerFailure);
  EXPECT_EQ(Log(), "Construct;SetFloat0;SetFloat1;Destroy;");
}

TEST_F(EntryPoint, FramesConnectOnceAndDeinstantiateDisconnects) {
  ViewportRecord vp{0, 0, 32, 32};
  void* instance = module->Instantiate(&vp);
  ASSERT_NE(instance, nullptr);
  ClearLog();
  FrameRecord frame{0, nullptr};
  EXPECT_EQ(module->ProcessFrame(instance, nullptr), kStatusFailure);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(module->ProcessFrame(instance, &frame), kStatusSuccess);
  EXPECT_EQ(module->ProcessFrame(instance, &frame), kStatusSuccess);
  EXPECT_EQ(Log(), "Connect;ProcessOpenGL;ProcessOpenGL;");
  ClearLog();
  EXPECT_EQ(module->Disconnect(instance), kStatusSuccess);
  EXPECT_EQ(module->ProcessFrame(instance, &frame), kStatusSuccess);
  EXPECT_EQ(module->Connect(instance), kStatusSuccess);
  EXPECT_EQ(Log(), "Disconnect;Connect;ProcessOpenGL;Connect;");
  ClearLog();
  EXPECT_EQ(module->DeInstantiate(instance), kStatusSuccess);
  EXPECT_EQ(Log(), "Disconnect;DeInitGL;Destroy;");
}

TEST_F(EntryPoint, ParameterValuesAreRoutedByThePrototypeType) {
  ViewportRecord vp{0, 0, 32, 32};
  void* instance = module->Instantiate(&vp);
  ASSERT_NE(instance, nullptr);
  ClearLog();
  EXPECT_EQ(module->SetFloat(instance, 0, std::numeric_limits<float>::quiet_NaN()), kStatusSuccess);
  EXPECT_TRUE(std::isnan(module->GetFloat(instance, 0)));
  EXPECT_EQ(module->SetText(instance, 3, "Front wall"), kStatusSuccess);
  EXPECT_STREQ(module->GetText(instance, 3), "Front wall");
  EXPECT_EQ(module->SetText(instance, 3, nullptr), kStatusSuccess);
  EXPECT_STREQ(module->GetText(instance, 3), "");
  EXPECT_EQ(module->SetFloat(instance, 100, 1.0f), kStatusFailure);  // unknown index: float route, refused
  EXPECT_EQ(module->Call(kSetParameter, 0, instance), kStatusFailure);
  EXPECT_EQ(Log(), "SetFloat0;SetText3;SetText3;SetFloat100;");
  module->SetFloat(instance, 1, 0.5f);
  EXPECT_STREQ(module->GetDisplay(instance, 1), "0.500000");
  EXPECT_STREQ(module->GetDisplay(instance, 3), "");
  EXPECT_EQ(module->GetDisplay(instance, 42), nullptr);
  module->DeInstantiate(instance);
}

TEST_F(EntryPoint, HostInformationCodesCheckTheirRecords) {
  ViewportRecord vp{0, 0, 32, 32};
  void* instance = module->Instantiate(&vp);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(module->SetTime(instance, 12.5), kStatusSuccess);
  EXPECT_EQ(module->Call(kSetTime, 0, instance), kStatusFailure);
  EXPECT_EQ(module->SetBeatInfo(instance, 128.0f, 0.5f), kStatusSuccess);
  EXPECT_EQ(module->Call(kSetBeatInfo, 0, instance), kStatusFailure);
  EXPECT_EQ(module->SetHostInfo(instance, "Host", nullptr), kStatusSuccess);
  EXPECT_EQ(module->Call(kSetHostInfo, 0, instance), kStatusFailure);
  EXPECT_EQ(module->SetSampleRate(instance, 48000), kStatusSuccess);
  ViewportRecord bigger{0, 0, 64, 48};
  EXPECT_EQ(module->Resize(instance, &bigger), kStatusSuccess);
  EXPECT_EQ(module->Call(kResize, 0, instance), kStatusFailure);
  EXPECT_EQ(module->GetInputStatus(instance, 0), 1u);
  EXPECT_EQ(module->GetInputStatus(instance, 1), kStatusFailure);
  EXPECT_EQ(module->Call(kGetParameterEvents, 0, instance), kStatusFailure);
  module->DeInstantiate(instance);
}

TEST_F(EntryPoint, ElementValueChangesOnlyTheInstanceRegistry) {
  ViewportRecord vp{0, 0, 32, 32};
  void* instance = module->Instantiate(&vp);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(module->SetElementValue(instance, 2, 1, 7.5f), kStatusSuccess);
  EXPECT_EQ(module->GetElementValue(2, 1), 1.0f);  // the prototype still answers code 36
  EXPECT_EQ(module->SetElementValue(instance, 2, 4, 7.5f), kStatusFailure);
  EXPECT_EQ(module->SetElementValue(instance, 99, 0, 7.5f), kStatusFailure);
  module->DeInstantiate(instance);
}

TEST_F(EntryPoint, EventsAreCountedCollectedInOrderAndCleared) {
  ViewportRecord vp{0, 0, 32, 32};
  void* instance = module->Instantiate(&vp);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(module->CountEvents(instance), 2u);  // raised when the default of parameter 4 was applied
  EXPECT_EQ(module->CollectEvents(instance, 2).size(), 2u);
  EXPECT_EQ(module->CountEvents(instance), 0u);
  module->SetFloat(instance, 4, 0.0f);  // the test effect hides parameters 5 and then 0
  EXPECT_EQ(module->GetVisibility(0, instance), 0u);
  EXPECT_EQ(module->GetVisibility(0), 1u);  // the prototype is untouched
  EXPECT_EQ(module->CountEvents(instance), 2u);
  EXPECT_EQ(module->CountEvents(instance), 2u);  // counting clears nothing
  std::vector<ParamEventRecord> events = module->CollectEvents(instance, 1);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].paramIndex, 0u);  // registry order, not the order of raising
  EXPECT_EQ(events[0].flags, kEventVisibilityChanged);
  events = module->CollectEvents(instance, 4);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].paramIndex, 5u);
  EXPECT_TRUE(module->CollectEvents(instance, 4).empty());
  module->DeInstantiate(instance);
}

}  // namespace
