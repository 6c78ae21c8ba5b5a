// The effect's parameters as a host sees them through plugMain: names, kinds, defaults, options, visibility.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "effect/layer_params.h"
#include "tools/caller/documents_folder.h"
#include "tests/support/shared_context.h"
#include "tools/caller/plugin_module.h"
#include "tools/caller/temp_folder.h"

namespace {

const char* const kLayerBaseNames[19] = {"Enable",     "Name",         "Alpha",   "Opacity",  "Slice Output",
                                         "Position X", "Position Y",   "Width",   "Height",   "Rotate Out",
                                         "Slice Sample", "Scaling",    "Sample X", "Sample Y", "Ratio",
                                         "Rotate In",  "Scale In",     "Kaleidoscope", "Symmetry"};

// One screen named Main with two slices, the second listed first.
std::string TwoSlicePreset() {
  std::string bytes;
  caller::ReadBytes(std::filesystem::u8path(MOSARO_TEST_DATA "/presets/two_slices.xml"), bytes);
  return bytes;
}

class EffectParams : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string preset = TwoSlicePreset();
    EXPECT_FALSE(preset.empty()) << "the two-slice fixture could not be read";
    documents = new caller::DocumentsFolder();
    documents->WritePreset("Host", "mapping.xml", preset, 1700000000000);
    module = new caller::PluginModule;
    ASSERT_TRUE(module->Load(MOSARO_PRODUCT_MODULE)) << module->error();
  }
  static void TearDownTestSuite() {
    module->Deinitialise();
    delete module;
    delete documents;
  }
  static uint32_t Index(const std::string& name) { return static_cast<uint32_t>(module->FindParameter(name)); }

  static caller::DocumentsFolder* documents;
  static caller::PluginModule* module;
};
caller::DocumentsFolder* EffectParams::documents = nullptr;
caller::PluginModule* EffectParams::module = nullptr;

TEST_F(EffectParams, FourHundredSixtySevenParametersInRegistrationOrder) {
  ASSERT_EQ(module->GetNumParameters(), kParameterCount);
  const char* globals[11] = {"Live Update", "Options", "Limit X", "Limit Y", "Global Position", "Scalings",
                             "Ratio", "Kaleidoscope", "Kal. Centered", "UV", "Edit Slice"};
  for (uint32_t i = 0; i < 11; ++i) EXPECT_EQ(module->GetParameterName(i), globals[i]);
  for (int k = 1; k <= 24; ++k)
    for (int j = 0; j < 19; ++j) {
      uint32_t index = 11 + 19 * (k - 1) + j;
      std::string expected = std::string(kLayerBaseNames[j]) + " " + std::to_string(k);
      EXPECT_EQ(module->GetParameterName(index), expected) << index;
      EXPECT_LT(strnlen(module->GetParameterNameField(index), 16), 16u) << expected;  // terminated in the field
    }
  EXPECT_EQ(Index("Enable 1"), 11u);
  EXPECT_EQ(Index("Slice Output 3"), 53u);
  EXPECT_EQ(Index("Symmetry 24"), 466u);
  EXPECT_EQ(module->GetParameterNameField(kParameterCount), nullptr);
}

struct Expected {
  uint32_t type;
  float defaultValue;
  float minimum;
  float maximum;
};

TEST_F(EffectParams, KindsDefaultsAndRanges) {
  const Expected globals[11] = {{0, 1, 0, 1},  {0, 0, 0, 1},  {10, 0, 0, 1}, {10, 0, 0, 1},
                                {11, 0, 0, 1}, {0, 1, 0, 1},  {0, 1, 0, 1},  {0, 1, 0, 1},
                                {0, 0, 0, 1},  {11, 2, 0, 1}, {11, 0, 0, 1}};
  // Standard-type defaults are clamped into 0..1 by the registry; integer ranges keep theirs.
  const Expected layer[19] = {{0, 0, 0, 1},         {100, 0, 0, 1},       {0, 0, 0, 1},     {10, 1, 0, 1},
                              {11, 0, 0, 1},        {13, 0, -16384, 16384}, {13, 0, -16384, 16384},
                              {13, 1920, -16384, 16384}, {13, 1080, -16384, 16384}, {10, 0, -360, 360},
                              {11, 0, 0, 1},        {11, 0, 0, 1},        {10, 0, -1, 1},   {10, 0, -1, 1},
                              {10, 0, -1, 1},       {10, 0, -360, 360},   {10, 0.1f, 0, 1}, {13, 1, 1, 64},
                              {11, 0, 0, 1}};
  auto check = [](uint32_t index, const Expected& e) {
    EXPECT_EQ(module->GetParameterType(index), e.type) << index;
    RangeRecord range{index, -99, -99};
    EXPECT_EQ(module->GetRange(range), kStatusSuccess);
    EXPECT_EQ(range.minimum, e.minimum) << index;
    EXPECT_EQ(range.maximum, e.maximum) << index;
    if (e.type == kTypeText) {
      EXPECT_STREQ(module->GetParameterDefaultText(index), "") << index;
    } else {
      EXPECT_EQ(module->GetParameterDefaultFloat(index), e.defaultValue) << index;
    }
  };
  for (uint32_t i = 0; i < 11; ++i) check(i, globals[i]);
  for (uint32_t k = 1; k <= 24; ++k)
    for (uint32_t j = 0; j < 19; ++j) {
      Expected e = layer[j];
      if (j == 0 && k == 1) e.defaultValue = 1;  // only layer 1 is enabled
      check(11 + 19 * (k - 1) + j, e);
    }
}

TEST_F(EffectParams, OptionElements) {
  auto names = [](uint32_t index) {
    std::vector<std::string> out;
    uint32_t n = module->GetNumElements(index);
    for (uint32_t e = 0; e < n; ++e) {
      out.push_back(module->GetElementName(index, e));
      EXPECT_EQ(module->GetElementValue(index, e), static_cast<float>(e));
    }
    return out;
  };
  EXPECT_EQ(names(4), (std::vector<std::string>{"Center", "Top Left"}));
  EXPECT_EQ(names(9), (std::vector<std::string>{"Clamp", "Repeat", "Unfold", "Quad"}));
  std::vector<std::string> edit = names(10);
  ASSERT_EQ(edit.size(), 25u);
  EXPECT_EQ(edit[0], "None");
  EXPECT_EQ(edit[1], "Slice 1");
  EXPECT_EQ(edit[24], "Slice 24");
  EXPECT_EQ(names(Index("Scaling 7")), (std::vector<std::string>{"None", "Fit", "Fill", "Stretch"}));
  EXPECT_EQ(names(Index("Symmetry 24")), (std::vector<std::string>{"Off", "Mirror", "Flipped", "Sample Flip"}));
  // The preset: a screen entry, then its slices from the last in the file to the first.
  const std::vector<std::string> slices{"None", "( Main )", "Right", "Left"};
  EXPECT_EQ(names(Index("Slice Output 1")), slices);
  EXPECT_EQ(names(Index("Slice Sample 24")), slices);
  EXPECT_EQ(module->GetNumElements(Index("Enable 3")), 1u);
}

TEST_F(EffectParams, CapabilitiesAreOneInputWithTime) {
  EXPECT_EQ(module->GetPluginCaps(kCapTimeSupported), 1u);
  EXPECT_EQ(module->GetPluginCaps(kCapMinInputs), 1u);
  EXPECT_EQ(module->GetPluginCaps(kCapMaxInputs), 1u);
}

TEST_F(EffectParams, WithoutPresetEverySliceChoiceHoldsOnlyNone) {
  caller::DocumentsFolder empty;
  module->Deinitialise();
  EXPECT_EQ(module->GetNumElements(Index("Slice Output 1")), 1u);
  EXPECT_STREQ(module->GetElementName(Index("Slice Sample 2"), 0), "None");
  EXPECT_EQ(module->GetNumElements(10), 25u);
  module->Deinitialise();
}

// A live instance, made with a GL context as a host would, with its events collected or not.
class EffectInstance : public EffectParams {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::SharedContext().valid()) << testsupport::SharedContext().error();
    ViewportRecord vp{0, 0, 64, 36};
    instance = module->Instantiate(&vp);
    ASSERT_NE(instance, nullptr);
  }
  void TearDown() override { module->DeInstantiate(instance); }
  std::vector<uint32_t> Visible() const {
    std::vector<uint32_t> out;
    for (uint32_t i = 0; i < kParameterCount; ++i)
      if (module->GetVisibility(i, instance) == 1) out.push_back(i);
    return out;
  }
  std::vector<uint32_t> Collect() const {
    std::vector<uint32_t> out;
    for (const ParamEventRecord& e : module->CollectEvents(instance, 1000)) {
      EXPECT_EQ(e.flags, kEventVisibilityChanged);
      out.push_back(e.paramIndex);
    }
    return out;
  }
  static std::vector<uint32_t> Range(uint32_t first, uint32_t last) {
    std::vector<uint32_t> out;
    for (uint32_t i = first; i <= last; ++i) out.push_back(i);
    return out;
  }
  void Set(const std::string& name, float value) { ASSERT_EQ(module->SetFloat(instance, Index(name), value), 0u); }
  std::string Display(const std::string& name) { return module->GetDisplay(instance, Index(name)); }

  void* instance = nullptr;
};

TEST_F(EffectInstance, AfterInstantiationOnlyTheThreeEntryParametersAreShown) {
  EXPECT_EQ(Visible(), (std::vector<uint32_t>{0, 1, 10}));
  std::vector<uint32_t> pending = Collect();
  std::vector<uint32_t> expected = Range(2, 9);
  for (uint32_t i = 11; i <= 466; ++i) expected.push_back(i);
  EXPECT_EQ(pending, expected);
  EXPECT_TRUE(Collect().empty());
  EXPECT_STREQ(module->GetText(instance, Index("Name 5")), "");
}

TEST_F(EffectInstance, OptionsShowAndHideTheEightOptionParameters) {
  Collect();
  Set("Options", 1);
  EXPECT_EQ(Collect(), Range(2, 9));
  EXPECT_EQ(Visible(), Range(0, 10));
  Set("Options", 0);
  EXPECT_EQ(Collect(), Range(2, 9));
  EXPECT_EQ(Visible(), (std::vector<uint32_t>{0, 1, 10}));
  Set("Options", std::numeric_limits<float>::quiet_NaN());  // NaN counts as on
  EXPECT_EQ(Visible(), Range(0, 10));
}

TEST_F(EffectInstance, EditSliceShowsTheChosenLayerOnly) {
  Collect();
  Set("Edit Slice", 3);
  EXPECT_EQ(Collect(), Range(11, 466));
  std::vector<uint32_t> expected{0, 1, 10};
  for (uint32_t i = 49; i <= 67; ++i) expected.push_back(i);
  EXPECT_EQ(Visible(), expected);
  Set("Edit Slice", 0);
  EXPECT_EQ(Collect(), Range(11, 466));
  EXPECT_EQ(Visible(), (std::vector<uint32_t>{0, 1, 10}));
}

TEST_F(EffectInstance, EditSliceWithAnOutputSliceHidesFreePlacement) {
  Set("Slice Output 3", 1);
  Set("Edit Slice", 3);
  std::vector<uint32_t> expected{0, 1, 10, 49, 50, 51, 52, 53, 59, 60, 61, 62, 63, 64, 65, 66, 67};
  EXPECT_EQ(Visible(), expected);
  Collect();
  Set("Slice Output 3", 0);
  EXPECT_EQ(Collect(), Range(54, 58));
  Set("Slice Output 5", 2);  // another layer: no visibility change
  EXPECT_TRUE(Collect().empty());
  Set("Slice Output 3", 2);
  EXPECT_EQ(Collect(), Range(54, 58));
  EXPECT_EQ(module->GetVisibility(54, instance), 0u);
}

TEST_F(EffectInstance, GlobalSwitchesThinTheEditedLayer) {
  const uint32_t scaling3 = Index("Scaling 3"), ratio3 = Index("Ratio 3"), kal3 = Index("Kaleidoscope 3");
  Collect();  // the defaults' events
  Set("Scalings", 0);  // no layer edited: only the flag changes
  EXPECT_TRUE(Collect().empty());
  Set("Ratio", 1);
  EXPECT_TRUE(Collect().empty());
  Set("Edit Slice", 3);
  EXPECT_EQ(module->GetVisibility(scaling3, instance), 0u);
  EXPECT_EQ(module->GetVisibility(ratio3, instance), 1u);
  Collect();
  Set("Scalings", 1);
  EXPECT_EQ(Collect(), std::vector<uint32_t>{scaling3});
  EXPECT_EQ(module->GetVisibility(scaling3, instance), 1u);
  Set("Position X 3", 5);  // the block test: a moved layer hides its scaling and ratio
  Set("Scalings", 1);
  EXPECT_EQ(module->GetVisibility(scaling3, instance), 0u);
  Set("Ratio", 1);
  EXPECT_EQ(module->GetVisibility(ratio3, instance), 0u);
  Set("Kaleidoscope", 1);  // no block test for the kaleidoscope
  EXPECT_EQ(module->GetVisibility(kal3, instance), 1u);
  Set("Kaleidoscope", 0);
  EXPECT_EQ(module->GetVisibility(kal3, instance), 0u);
  Set("Edit Slice", 3);
  EXPECT_EQ(module->GetVisibility(kal3, instance), 0u);  // the rebuild remembers the switch
  EXPECT_EQ(module->GetVisibility(scaling3, instance), 1u);  // ... but not the block test
}

TEST_F(EffectInstance, DisplayTexts) {
  Set("Opacity 2", 0.5f);
  EXPECT_EQ(Display("Opacity 2"), "50%");
  Set("Opacity 2", 0.125f);
  EXPECT_EQ(Display("Opacity 2"), "12%");  // 12.5 goes to the even 12
  Set("Opacity 2", 0.135f);
  EXPECT_EQ(Display("Opacity 2"), "14%");
  Set("Rotate In 1", 90);
  EXPECT_EQ(Display("Rotate In 1"), "+90");
  Set("Rotate In 1", -45);
  EXPECT_EQ(Display("Rotate In 1"), "-45");
  Set("Rotate In 1", 0);
  EXPECT_EQ(Display("Rotate In 1"), "0");
  Set("Rotate In 1", 0.3f);
  EXPECT_EQ(Display("Rotate In 1"), "+0");
  Set("Rotate Out 4", 2.5f);
  EXPECT_EQ(Display("Rotate Out 4"), "+2");
  EXPECT_EQ(Display("Scale In 12"), "100%");
  Set("Sample Y 24", -1);
  EXPECT_EQ(Display("Sample Y 24"), "-100%");
  for (const char* silent : {"Position X 1", "Slice Output 1", "Edit Slice", "Limit X", "Kaleidoscope", "Enable 1"})
    EXPECT_EQ(Display(silent), "") << silent;
  module->SetText(instance, Index("Name 5"), "Front wall");
  EXPECT_EQ(Display("Name 5"), "Front wall");
  EXPECT_EQ(module->GetDisplay(instance, kParameterCount), nullptr);
}

TEST_F(EffectInstance, DisplayOfExtremeValuesStaysInTheBuffer) {
  Set("Opacity 1", std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(Display("Opacity 1"), "");
  Set("Opacity 1", std::numeric_limits<float>::infinity());
  EXPECT_EQ(Display("Opacity 1"), "2147483647%");
  Set("Rotate In 1", -std::numeric_limits<float>::max());
  EXPECT_EQ(Display("Rotate In 1"), "-2147483648");
  Set("Rotate In 1", 3e9f);
  EXPECT_EQ(Display("Rotate In 1"), "+2147483647");
  const char* first = module->GetDisplay(instance, Index("Opacity 1"));
  const char* second = module->GetDisplay(instance, Index("Rotate In 1"));
  EXPECT_EQ(first, second);
  EXPECT_STREQ(second, "+2147483647");
}

TEST_F(EffectInstance, TextParametersTakeAnyText) {
  const uint32_t name = Index("Name 1");
  std::string longText(100000, 'x');
  longText[5] = '\xC3';
  EXPECT_EQ(module->SetText(instance, name, longText.c_str()), 0u);
  EXPECT_EQ(std::string(module->GetText(instance, name)), longText);
  EXPECT_EQ(module->SetText(instance, name, ""), 0u);
  EXPECT_STREQ(module->GetDisplay(instance, name), "");
  EXPECT_EQ(module->SetText(instance, name, nullptr), 0u);
}

TEST_F(EffectInstance, NonFiniteValuesAreStoredAndOptionsFallBack) {
  Set("Width 1", std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isinf(module->GetFloat(instance, Index("Width 1"))));
  Set("Edit Slice", std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(module->GetFloat(instance, 10), 0.0f);
  Set("Edit Slice", 1e30f);
  EXPECT_EQ(module->GetFloat(instance, 10), 0.0f);
  Set("Slice Output 1", -std::numeric_limits<float>::infinity());
  EXPECT_EQ(module->GetFloat(instance, Index("Slice Output 1")), 0.0f);
  EXPECT_EQ(module->SetFloat(instance, kParameterCount, 1.0f), kStatusFailure);
  EXPECT_EQ(module->SetFloat(instance, 0xFFFFFFFFu, 1.0f), kStatusFailure);
}

}  // namespace
