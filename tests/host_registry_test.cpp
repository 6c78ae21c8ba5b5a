// The parameter registry, the instance base and the information record, tested directly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "host/host_plugin.h"
#include "host/plugin_info.h"

namespace {

TEST(Registry, DefaultsClampOnlyForStandardType) {
  CHostPluginManager registry;
  registry.SetParamInfo(0, "A", kTypeStandard, 1.5f);
  registry.SetParamInfo(1, "B", kTypeStandard, -0.2f);
  registry.SetParamInfo(2, "C", kTypeInteger, 1920.0f);
  registry.SetParamInfo(3, "D", kTypeStandard, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(registry.FindParam(0)->defaultValue, 1.0f);
  EXPECT_EQ(registry.FindParam(1)->defaultValue, 0.0f);
  EXPECT_EQ(registry.FindParam(2)->defaultValue, 1920.0f);
  EXPECT_TRUE(std::isnan(registry.FindParam(3)->defaultValue));  // comparisons with NaN clamp nothing
}

TEST(Registry, NameFieldIsSixteenBytesZeroFilled) {
  CHostPluginManager registry;
  registry.SetParamInfo(0, "Global Position", kTypeStandard, 0);
  registry.SetParamInfo(1, "Exactly16Chars!!", kTypeStandard, 0);
  registry.SetParamInfo(2, "A Name Of 20 Chars!!", kTypeStandard, 0);
  const char* fifteen = registry.FindParam(0)->name;
  EXPECT_EQ(std::memcmp(fifteen, "Global Position\0", 16), 0);
  EXPECT_EQ(std::memcmp(registry.FindParam(1)->name, "Exactly16Chars!!", 16), 0);
  EXPECT_EQ(std::memcmp(registry.FindParam(2)->name, "A Name Of 20 Cha", 16), 0);
}

TEST(Registry, NewEntryHasOneEmptyElementAndDefaultFields) {
  CHostPluginManager registry;
  registry.SetParamInfo(7, "X", kTypeInteger, 3.0f);
  const ParamEntry* e = registry.FindParam(7);
  ASSERT_NE(e, nullptr);
  ASSERT_EQ(e->elements.size(), 1u);
  EXPECT_EQ(e->elements[0].name, "");
  EXPECT_EQ(e->elements[0].value, 0.0f);
  EXPECT_EQ(e->usage, 0u);
  EXPECT_TRUE(e->visible);
  EXPECT_EQ(e->minimum, 0.0f);
  EXPECT_EQ(e->maximum, 1.0f);
  EXPECT_EQ(e->defaultText, "");
  EXPECT_TRUE(e->fileExtensions.empty());
  EXPECT_EQ(e->pendingEvents, 0u);

  // Writing the plain element gives the entry an element of its own; another plain entry keeps its empty one.
  registry.SetParamInfo(8, "Y", kTypeInteger, 0.0f);
  registry.FindParam(7)->elements[0].value = 4.5f;
  EXPECT_EQ(registry.FindParam(7)->elements[0].value, 4.5f);
  EXPECT_EQ(registry.FindParam(8)->elements.size(), 1u);
  EXPECT_EQ(static_cast<const ParamEntry*>(registry.FindParam(8))->elements[0].value, 0.0f);
}

TEST(Registry, OptionElementsAreValuedByPositionAndDefaultIsUnclamped) {
  CHostPluginManager registry;
  registry.SetOptionParamInfo(0, "UV", {"Clamp", "Repeat", "Unfold", "Quad"}, 2.0f);
  const ParamEntry* e = registry.FindParam(0);
  ASSERT_EQ(e->elements.size(), 4u);
  for (size_t k = 0; k < 4; ++k) EXPECT_EQ(e->elements[k].value, static_cast<float>(k));
  EXPECT_EQ(e->elements[3].name, "Quad");
  EXPECT_EQ(e->type, kTypeOption);
  EXPECT_EQ(e->defaultValue, 2.0f);
  EXPECT_EQ(e->maximum, 1.0f);

  // Entries given one element list share it until an element is written through one of them.
  const ParamElementList slices = ParamElementList::Named({"None", "A", "B"});
  registry.SetOptionParamInfo(1, "Out", slices, 0.0f);
  registry.SetOptionParamInfo(2, "In", slices, 0.0f);
  const CHostPluginManager& reading = registry;
  EXPECT_TRUE(reading.FindParam(1)->elements.SharesWith(reading.FindParam(2)->elements));
  EXPECT_FALSE(reading.FindParam(0)->elements.SharesWith(reading.FindParam(1)->elements));
  registry.FindParam(2)->elements[1].value = 7.5f;
  EXPECT_FALSE(reading.FindParam(1)->elements.SharesWith(reading.FindParam(2)->elements));
  EXPECT_EQ(reading.FindParam(2)->elements[1].value, 7.5f);
  for (uint32_t index : {1u, 2u}) {
    const ParamElementList& elements = reading.FindParam(index)->elements;
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[1].name, "A");
    EXPECT_EQ(elements[2].name, "B");
    EXPECT_EQ(elements[2].value, 2.0f);
  }
  EXPECT_EQ(reading.FindParam(1)->elements[1].value, 1.0f);
  EXPECT_EQ(slices[1].value, 1.0f);
}

TEST(Registry, FirstEntryWithAnIndexWinsAndMissingIndicesChangeNothing) {
  CHostPluginManager registry;
  registry.SetParamInfo(5, "First", kTypeStandard, 0.25f);
  registry.SetParamInfo(5, "Second", kTypeStandard, 0.75f);
  EXPECT_STREQ(registry.FindParam(5)->name, "First");
  registry.SetParamRange(5, -2, 2);
  EXPECT_EQ(registry.Entries()[0].minimum, -2.0f);
  EXPECT_EQ(registry.Entries()[1].minimum, 0.0f);
  registry.SetParamRange(99, -2, 2);
  registry.SetParamVisibility(99, false, true);
  EXPECT_EQ(registry.CountPendingEvents(), 0u);
  EXPECT_EQ(registry.FindParam(99), nullptr);
}

TEST(Registry, VisibilityRaisesEventEvenWithoutChangeAndCollectsInOrder) {
  CHostPluginManager registry;
  for (uint32_t i = 0; i < 3; ++i) registry.SetParamInfo(i, "P", kTypeStandard, 0);
  registry.SetParamVisibility(2, true, true);  // already visible: still an event
  registry.SetParamVisibility(0, false, true);
  registry.SetParamVisibility(1, false, false);
  EXPECT_FALSE(registry.FindParam(1)->visible);
  EXPECT_EQ(registry.CountPendingEvents(), 2u);
  ParamEventRecord out[2] = {};
  EXPECT_EQ(registry.CollectEvents(out, 1), 1u);
  EXPECT_EQ(out[0].paramIndex, 0u);
  EXPECT_EQ(out[0].flags, kEventVisibilityChanged);
  EXPECT_EQ(registry.CountPendingEvents(), 1u);
  EXPECT_EQ(registry.CollectEvents(out, 2), 1u);
  EXPECT_EQ(out[0].paramIndex, 2u);
  EXPECT_EQ(registry.CollectEvents(out, 2), 0u);
}

class ValueHolder : public CHostPlugin {
 public:
  float value = 0.0f;
  std::string text = "hello";
  float GetFloatParameter(uint32_t) override { return value; }
  const char* GetTextParameter(uint32_t) override { return text.c_str(); }
};

TEST(InstanceBase, DisplayFormatsWithPercentFInTheModuleBuffer) {
  ValueHolder plugin;
  plugin.owner = &plugin;
  plugin.SetParamInfo(0, "F", kTypeStandard, 0);
  plugin.SetParamInfo(1, "T", kTypeText, 0);
  plugin.SetParamInfo(2, "N", kTypeNone, 0);
  plugin.value = 0.5f;
  const char* first = plugin.GetParameterDisplay(0);
  EXPECT_STREQ(first, "0.500000");
  plugin.value = -0.25f;
  const char* second = plugin.GetParameterDisplay(0);
  EXPECT_EQ(first, second);
  EXPECT_STREQ(second, "-0.250000");
  plugin.value = 1e9f;  // "1000000000.000000" has 17 characters: the first 16 stay, terminated
  EXPECT_STREQ(plugin.GetParameterDisplay(0), "1000000000.00000");
  plugin.value = -std::numeric_limits<float>::infinity();
  EXPECT_STREQ(plugin.GetParameterDisplay(0), "-inf");
  EXPECT_STREQ(plugin.GetParameterDisplay(1), "hello");
  EXPECT_EQ(plugin.GetParameterDisplay(2), nullptr);
  EXPECT_EQ(plugin.GetParameterDisplay(3), nullptr);
}

TEST(InstanceBase, InitialStateAndHostSetters) {
  CHostPlugin plugin;
  EXPECT_TRUE(plugin.timeSupported);
  EXPECT_FALSE(plugin.connected);
  EXPECT_EQ(plugin.bpm, 120.0f);
  EXPECT_EQ(plugin.barPhase, 0.0f);
  EXPECT_EQ(plugin.GetInputStatus(0), kStatusFailure);  // maxInputs 0
  plugin.maxInputs = 1;
  EXPECT_EQ(plugin.GetInputStatus(0), 1u);
  EXPECT_EQ(plugin.GetInputStatus(1), kStatusFailure);
  ViewportRecord vp{1, 2, 640, 360};
  EXPECT_EQ(plugin.Resize(&vp), kStatusSuccess);
  EXPECT_EQ(plugin.viewport.width, 640u);
  EXPECT_EQ(plugin.viewport.y, 2u);
  plugin.SetHostInfo(nullptr, "7.0");
  EXPECT_EQ(plugin.hostName, "");
  EXPECT_EQ(plugin.hostVersion, "7.0");
  EXPECT_EQ(reinterpret_cast<uint64_t>(plugin.GetTextParameter(0)), kPointerFailure);
  EXPECT_EQ(plugin.SetFloatParameter(0, 1.0f), kStatusFailure);
}

TEST(InfoRecord, BoundedCopyFillsWithoutTerminatorWhenFull) {
  PluginInfoRecord record;
  FillPluginInfo(record, "QM01", "A Name That Is Longer Than 16", 0, 1, 0, "d", "a", nullptr);
  EXPECT_EQ(std::memcmp(record.layout.uniqueId, "QM01", 4), 0);
  EXPECT_EQ(std::memcmp(record.layout.pluginName, "A Name That Is L", 16), 0);
  FillPluginInfo(record, "Q", "Mosaro 2", 0, 1, 0, "d", "a", nullptr);
  EXPECT_EQ(std::memcmp(record.layout.uniqueId, "Q\0\0\0", 4), 0);
  EXPECT_EQ(std::memcmp(record.layout.pluginName, "Mosaro 2\0\0\0\0\0\0\0\0", 16), 0);
  EXPECT_EQ(record.layout.description, record.descriptionStorage.c_str());
}

}  // namespace
