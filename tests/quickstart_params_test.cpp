// Parameter kinds, option selection, registration through the effect base, the host-facing parameter
// operations, audio analysers and the clock conversion, without GL.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "quickstart/audio_analyser.h"
#include "quickstart/monotonic_clock.h"
#include "quickstart/param.h"
#include "quickstart/plugin.h"
#include "quickstart/snippet_library.h"

namespace {

using namespace quickstart;

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInfinity = std::numeric_limits<float>::infinity();
const char* const kFailurePointer = reinterpret_cast<const char*>(kPointerFailure);

// Element values are the effect's own numbers, deliberately unlike the positions.
std::vector<OptionElement> FourElements() { return {{"None", 0.0f}, {"One", 10.0f}, {"Two", 20.0f}, {"Three", 30.0f}}; }

// An effect base whose protected registration operations the tests call directly.
class RegisteringPlugin : public Plugin {
 public:
  using Plugin::AddAudioParam;
  using Plugin::AddParam;
  using Plugin::IncludeSnippet;
};

TEST(ParamKinds, FactoriesSetTypeAndInitialValue) {
  auto on = ParamBool::Create("Flag", true);
  auto off = ParamBool::Create("Off", false);
  EXPECT_EQ(on->GetType(), kTypeBoolean);
  EXPECT_EQ(on->GetValue(), 1.0f);
  EXPECT_EQ(off->GetValue(), 0.0f);
  on->SetValue(0.25f);
  EXPECT_EQ(on->GetValue(), 0.25f);

  auto range = ParamRange::Create("Zoom", 5.0f, 0.0f, 10.0f);
  EXPECT_EQ(range->GetType(), kTypeStandard);
  EXPECT_EQ(range->GetValue(), 5.0f);
  EXPECT_EQ(range->GetMin(), 0.0f);
  EXPECT_EQ(range->GetMax(), 10.0f);
  range->SetValue(-3.5f);  // never clamped to the range
  EXPECT_EQ(range->GetValue(), -3.5f);

  auto integer = ParamRange::CreateInteger("Count", 3, 0.0f, 10.0f);
  EXPECT_EQ(integer->GetType(), kTypeInteger);
  EXPECT_EQ(integer->GetValue(), 3.0f);
  integer->SetValue(2.75f);  // never snapped to a whole number
  EXPECT_EQ(integer->GetValue(), 2.75f);

  auto text = ParamText::Create("Label", "hello");
  EXPECT_EQ(text->GetType(), kTypeText);
  EXPECT_EQ(text->GetValue(), 0.0f);
  EXPECT_EQ(text->GetText(), "hello");
  text->SetText(nullptr);
  EXPECT_EQ(text->GetText(), "");

  EXPECT_EQ(Param::Create("Plain", 0.5f)->GetType(), kTypeStandard);
  EXPECT_EQ(Param::Create("Hue", 0.5f, kTypeHue)->GetType(), kTypeHue);
  auto trigger = ParamTrigger::Create("Go");
  EXPECT_EQ(trigger->GetType(), kTypeEvent);
  EXPECT_EQ(trigger->GetValue(), 0.0f);

  auto buffer = ParamBuffer::Create("Spectrum", 7, 4);
  EXPECT_EQ(buffer->GetType(), kTypeBuffer);
  EXPECT_EQ(buffer->GetRegistryIndex(), 7u);
  EXPECT_EQ(buffer->GetBins(), (std::vector<float>{0, 0, 0, 0}));
}

TEST(ParamKinds, PlainValuesStoreNaNAndInfinitiesUnchanged) {
  auto range = ParamRange::Create("Zoom", 0.5f, 0.0f, 1.0f);
  range->SetValue(kNaN);
  EXPECT_TRUE(std::isnan(range->GetValue()));
  range->SetValue(-kInfinity);
  EXPECT_EQ(range->GetValue(), -kInfinity);
}

struct Selection {
  float sent;
  float readBack;  // NaN here means "reads back what was sent"
  const char* name;
  float elementValue;
};

TEST(ParamOptionSelection, TruncatesInRangePositionsAndFallsBackToTheFirstElement) {
  const float kAsSent = kNaN;
  const Selection cases[] = {
      {2.9f, kAsSent, "Two", 20.0f},
      {3.999f, kAsSent, "Three", 30.0f},
      {1.0f, kAsSent, "One", 10.0f},
      {0.0f, kAsSent, "None", 0.0f},
      {-0.5f, kAsSent, "None", 0.0f},
      {-0.999f, kAsSent, "None", 0.0f},
      {4.0f, 0.0f, "None", 0.0f},
      {-1.0f, 0.0f, "None", 0.0f},
      {-1.5f, 0.0f, "None", 0.0f},
      {kNaN, 0.0f, "None", 0.0f},
      {kInfinity, 0.0f, "None", 0.0f},
      {-kInfinity, 0.0f, "None", 0.0f},
      {18446744073709551616.0f, 0.0f, "None", 0.0f},  // 2^64
      {1e30f, 0.0f, "None", 0.0f},
      {std::numeric_limits<float>::max(), 0.0f, "None", 0.0f},
  };
  for (const Selection& c : cases) {
    auto option = ParamOption::Create("Choice", FourElements(), 1);
    option->SetValue(c.sent);
    const float expected = std::isnan(c.readBack) ? c.sent : c.readBack;
    EXPECT_EQ(option->GetValue(), expected) << c.sent;
    EXPECT_EQ(option->GetCurrentName(), c.name) << c.sent;
    EXPECT_EQ(option->GetCurrentValue(), c.elementValue) << c.sent;
  }
}

TEST(ParamOptionSelection, PositionConversionRejectsWhatAnUnsignedIndexCannotHold) {
  uint64_t index = 99;
  EXPECT_FALSE(OptionPositionToIndex(18446744073709551616.0f, index));
  EXPECT_FALSE(OptionPositionToIndex(kInfinity, index));
  EXPECT_FALSE(OptionPositionToIndex(kNaN, index));
  EXPECT_FALSE(OptionPositionToIndex(-1.0f, index));
  EXPECT_EQ(index, 99u);
  const float largestBelow2To64 = std::nextafter(18446744073709551616.0f, 0.0f);
  ASSERT_TRUE(OptionPositionToIndex(largestBelow2To64, index));
  EXPECT_EQ(index, 18446742974197923840ull);
  ASSERT_TRUE(OptionPositionToIndex(-0.999f, index));
  EXPECT_EQ(index, 0u);
  ASSERT_TRUE(OptionPositionToIndex(2.9f, index));
  EXPECT_EQ(index, 2u);
}

TEST(ParamOptionSelection, DefaultIndexOutsideTheElementsStartsOnTheFirst) {
  auto inRange = ParamOption::Create("A", FourElements(), 3);
  EXPECT_EQ(inRange->GetValue(), 3.0f);
  EXPECT_EQ(inRange->GetCurrentName(), "Three");
  for (int32_t index : {4, 1000, -1, std::numeric_limits<int32_t>::min()}) {
    auto option = ParamOption::Create("B", FourElements(), index);
    EXPECT_EQ(option->GetValue(), 0.0f) << index;
    EXPECT_EQ(option->GetCurrentName(), "None") << index;
    EXPECT_EQ(option->GetCurrentValue(), 0.0f) << index;
  }
  auto empty = ParamOption::Create("Empty", {}, 0);
  empty->SetValue(0.0f);
  EXPECT_EQ(empty->GetValue(), 0.0f);
  EXPECT_EQ(empty->GetCurrentName(), "");
}

TEST(Registration, EachAddParamFormDeclaresItsEntryUnderTheNextIndex) {
  RegisteringPlugin plugin;
  auto flag = ParamBool::Create("Flag", true);
  auto zoom = ParamRange::Create("Zoom", 5.0f, 0.0f, 10.0f);
  auto count = ParamRange::CreateInteger("Count", 3, 0.0f, 10.0f);
  auto choice = ParamOption::Create("Choice", FourElements(), 3);
  auto label = ParamText::Create("Label", "x");
  auto shift = Param::Create("Shift", -0.5f, kTypeStandard);
  auto longName = Param::Create("ANameOfTwentyChars20", 0.25f);
  EXPECT_EQ(plugin.AddParam(flag), 0u);
  EXPECT_EQ(plugin.AddParam(zoom), 1u);
  EXPECT_EQ(plugin.AddParam(count), 2u);
  EXPECT_EQ(plugin.AddParam(choice), 3u);
  EXPECT_EQ(plugin.AddParam(label), 4u);
  EXPECT_EQ(plugin.AddParam(shift), 5u);
  EXPECT_EQ(plugin.AddParam(longName), 6u);

  ASSERT_EQ(plugin.Params().size(), 7u);
  ASSERT_EQ(plugin.GetParamCount(), 7u);
  EXPECT_EQ(plugin.Params()[3], choice);

  const ParamEntry* e = plugin.FindParam(0);
  EXPECT_EQ(e->type, kTypeBoolean);
  EXPECT_EQ(e->defaultValue, 1.0f);

  e = plugin.FindParam(1);  // standard defaults are clamped by the registry, the object keeps 5.0
  EXPECT_EQ(e->type, kTypeStandard);
  EXPECT_EQ(e->defaultValue, 1.0f);
  EXPECT_EQ(e->minimum, 0.0f);
  EXPECT_EQ(e->maximum, 10.0f);
  EXPECT_EQ(zoom->GetValue(), 5.0f);

  e = plugin.FindParam(2);
  EXPECT_EQ(e->type, kTypeInteger);
  EXPECT_EQ(e->defaultValue, 3.0f);
  EXPECT_EQ(e->maximum, 10.0f);

  e = plugin.FindParam(3);  // positions are published, not the effect's element values
  EXPECT_EQ(e->type, kTypeOption);
  EXPECT_EQ(e->defaultValue, 3.0f);
  EXPECT_EQ(e->maximum, 1.0f);
  ASSERT_EQ(e->elements.size(), 4u);
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(e->elements[k].name, FourElements()[k].name);
    EXPECT_EQ(e->elements[k].value, static_cast<float>(k));
  }

  e = plugin.FindParam(4);
  EXPECT_EQ(e->type, kTypeText);
  EXPECT_EQ(e->defaultValue, 0.0f);
  EXPECT_EQ(plugin.FindParam(5)->defaultValue, 0.0f);  // -0.5 clamped into 0..1

  e = plugin.FindParam(6);
  EXPECT_EQ(std::memcmp(e->name, "ANameOfTwentyCha", 16), 0);
  EXPECT_EQ(plugin.Params()[6]->GetName(), "ANameOfTwentyChars20");

  // Options made from one element list share it, and their registry entries share one published list,
  // which a write through one entry does not change for the others.
  const SharedOptionElements shared = std::make_shared<const std::vector<OptionElement>>(FourElements());
  auto out = ParamOption::CreateSharing("Out", shared, 1);
  auto in = ParamOption::CreateSharing("In", shared, 2);
  EXPECT_EQ(&out->GetElements(), &in->GetElements());
  EXPECT_EQ(in->GetCurrentName(), "Two");
  EXPECT_EQ(plugin.AddParam(out), 7u);
  EXPECT_EQ(plugin.AddParam(in), 8u);
  const RegisteringPlugin& reading = plugin;
  EXPECT_TRUE(reading.FindParam(7)->elements.SharesWith(reading.FindParam(8)->elements));
  EXPECT_FALSE(reading.FindParam(3)->elements.SharesWith(reading.FindParam(7)->elements));
  EXPECT_EQ(reading.FindParam(8)->defaultValue, 2.0f);
  plugin.FindParam(7)->elements[3].value = -1.0f;
  for (uint32_t index : {7u, 8u}) {
    ASSERT_EQ(reading.FindParam(index)->elements.size(), 4u);
    for (size_t k = 0; k < 4; ++k) EXPECT_EQ(reading.FindParam(index)->elements[k].name, FourElements()[k].name);
  }
  EXPECT_EQ(reading.FindParam(7)->elements[3].value, -1.0f);
  EXPECT_EQ(reading.FindParam(8)->elements[3].value, 3.0f);
}

TEST(Registration, AudioParamDeclaresOneElementPerBinAndAnAnalyser) {
  RegisteringPlugin plugin;
  plugin.AddParam(ParamBool::Create("Flag", false));
  auto spectrum = plugin.AddAudioParam("Spectrum", 256);
  EXPECT_EQ(spectrum->GetRegistryIndex(), 1u);
  EXPECT_EQ(plugin.Params()[1], spectrum);
  const ParamEntry* e = plugin.FindParam(1);
  EXPECT_EQ(e->type, kTypeBuffer);
  EXPECT_EQ(e->elements.size(), 256u);
  ASSERT_NE(plugin.FindAnalyser(spectrum), nullptr);
  EXPECT_EQ(plugin.FindAnalyser(spectrum)->GetBins().size(), 256u);
  EXPECT_EQ(plugin.FindAnalyser(ParamBuffer::Create("Stranger", 0, 4)), nullptr);
}

TEST(Registration, OnlyLibrarySnippetsCanBeIncluded) {
  RegisteringPlugin plugin;
  EXPECT_TRUE(plugin.IncludeSnippet(SnippetRandom));
  EXPECT_TRUE(plugin.IncludeSnippet(SnippetMap));
  EXPECT_TRUE(plugin.IncludeSnippet(SnippetNoise));
  EXPECT_FALSE(plugin.IncludeSnippet(3));
  EXPECT_FALSE(plugin.IncludeSnippet(-1));
  const std::string shader = plugin.GenerateFragmentShader();
  EXPECT_NE(shader.find("fractal_noise"), std::string::npos);
}

class HostOperations : public ::testing::Test {
 protected:
  void SetUp() override {
    plugin.AddParam(ParamRange::Create("Zoom", 0.5f, 0.0f, 10.0f));
    plugin.AddParam(ParamText::Create("Label", "start"));
    plugin.AddParam(ParamBool::Create("Flag", true));
    plugin.AddParam(Param::Create("Path", 0.0f, kTypeFile));
    plugin.AddParam(ParamOption::Create("Choice", FourElements(), 0));
  }
  RegisteringPlugin plugin;
};

TEST_F(HostOperations, FloatValuesRouteToTheParameterAndOutOfRangeIndicesFail) {
  // The flat values hold what the objects hold, by registry index, however the value got there.
  auto expectValuesMirrored = [this](const char* after) {
    ASSERT_EQ(plugin.Values().size(), plugin.Params().size()) << after;
    for (uint32_t i = 0; i < plugin.Params().size(); ++i) {
      const float held = plugin.Params()[i]->GetValue();
      EXPECT_EQ(std::memcmp(&plugin.Values()[i], &held, sizeof held), 0) << i << " after " << after;
    }
  };
  expectValuesMirrored("registration");
  EXPECT_EQ(plugin.Values()[2], 1.0f);
  EXPECT_EQ(plugin.SetFloatParameter(0, 7.5f), kStatusSuccess);
  EXPECT_EQ(plugin.GetFloatParameter(0), 7.5f);
  EXPECT_EQ(plugin.Values()[0], 7.5f);
  EXPECT_EQ(plugin.SetFloatParameter(4, 2.9f), kStatusSuccess);
  EXPECT_EQ(plugin.GetFloatParameter(4), 2.9f);
  EXPECT_EQ(plugin.Values()[4], 2.9f);
  EXPECT_EQ(plugin.SetFloatParameter(4, kNaN), kStatusSuccess);
  EXPECT_EQ(plugin.GetFloatParameter(4), 0.0f);
  EXPECT_EQ(plugin.Values()[4], 0.0f);  // what the option stored, not what was sent
  EXPECT_EQ(plugin.SetFloatParameter(0, kInfinity), kStatusSuccess);
  EXPECT_EQ(plugin.GetFloatParameter(0), kInfinity);
  EXPECT_EQ(plugin.Values()[0], kInfinity);
  plugin.Params()[2]->SetValue(0.25f);  // straight to the object
  EXPECT_EQ(plugin.Values()[2], 0.25f);
  plugin.Params()[4]->SetValue(9.0f);  // past the elements: the option falls back to 0
  EXPECT_EQ(plugin.Values()[4], 0.0f);
  expectValuesMirrored("the changes");

  // A handle kept past its plugin writes nowhere.
  auto kept = ParamRange::Create("Kept", 0.5f, 0.0f, 1.0f);
  {
    RegisteringPlugin shortLived;
    shortLived.AddParam(kept);
    kept->SetValue(0.75f);
    EXPECT_EQ(shortLived.Values()[0], 0.75f);
  }
  kept->SetValue(0.125f);
  EXPECT_EQ(kept->GetValue(), 0.125f);

  EXPECT_EQ(plugin.SetFloatParameter(5, 1.0f), kStatusFailure);  // index equal to the count
  EXPECT_EQ(plugin.SetFloatParameter(0xFFFFFFFFu, 1.0f), kStatusFailure);
  EXPECT_EQ(plugin.GetFloatParameter(5), 0.0f);
  EXPECT_EQ(plugin.GetFloatParameter(0xFFFFFFFFu), 0.0f);
}

TEST_F(HostOperations, TextGoesOnlyToTextParameters) {
  EXPECT_EQ(plugin.SetTextParameter(1, "changed"), kStatusSuccess);
  EXPECT_STREQ(plugin.GetTextParameter(1), "changed");
  EXPECT_EQ(plugin.SetTextParameter(1, nullptr), kStatusSuccess);
  EXPECT_STREQ(plugin.GetTextParameter(1), "");

  EXPECT_EQ(plugin.SetTextParameter(2, "no"), kStatusFailure);
  EXPECT_EQ(plugin.GetFloatParameter(2), 1.0f);
  EXPECT_EQ(plugin.SetTextParameter(5, "no"), kStatusFailure);
  EXPECT_STREQ(plugin.GetTextParameter(2), "");
  EXPECT_STREQ(plugin.GetTextParameter(5), "");
  EXPECT_STREQ(plugin.GetTextParameter(0xFFFFFFFFu), "");
}

TEST_F(HostOperations, DisplayFormatsNumbersIntoTheSharedBufferAndRefusesTexts) {
  const char* first = plugin.GetParameterDisplay(0);
  EXPECT_STREQ(first, "0.500000");
  plugin.SetFloatParameter(0, -0.25f);
  const char* second = plugin.GetParameterDisplay(0);
  EXPECT_EQ(first, second);
  EXPECT_STREQ(second, "-0.250000");
  plugin.SetFloatParameter(0, 1e10f);  // "10000000000.000000" keeps its first 16 characters
  EXPECT_STREQ(plugin.GetParameterDisplay(0), "10000000000.0000");
  plugin.SetFloatParameter(0, -12345678.0f);
  EXPECT_STREQ(plugin.GetParameterDisplay(0), "-12345678.000000");
  EXPECT_STREQ(plugin.GetParameterDisplay(2), "1.000000");

  EXPECT_EQ(plugin.GetParameterDisplay(1), kFailurePointer);
  EXPECT_EQ(plugin.GetParameterDisplay(3), kFailurePointer);
  EXPECT_EQ(plugin.GetParameterDisplay(5), kFailurePointer);
}

TEST(AudioAnalyser, LevelsAreSmoothedRootMeanSquaresOfTheThirds) {
  // Six bins: t = 2, so low is bins 0 and 1, middle bin 3 alone, high bin 5 alone.
  AudioAnalyser analyser(6);
  analyser.SetGain(2.0f);
  analyser.Analyse({1.0f, 3.0f, 100.0f, 2.0f, 100.0f, 4.0f});
  const float overall = std::sqrt((1 + 9 + 10000 + 4 + 10000 + 16) * 2.0f / 6.0f) * 0.2f;
  EXPECT_FLOAT_EQ(analyser.Overall().level, overall);
  EXPECT_FLOAT_EQ(analyser.Low().level, std::sqrt((1 + 9) * 2.0f / 2.0f) * 0.2f);
  EXPECT_FLOAT_EQ(analyser.Middle().level, std::sqrt(4 * 2.0f) * 0.2f);
  EXPECT_FLOAT_EQ(analyser.High().level, std::sqrt(16 * 2.0f) * 0.2f);
  EXPECT_EQ(analyser.GetBins(), (std::vector<float>{1, 3, 100, 2, 100, 4}));

  analyser.Analyse({0, 0, 0, 0, 0, 0});  // silence: the level decays by the smoothing factor
  EXPECT_FLOAT_EQ(analyser.Overall().level, overall * 0.8f);
  EXPECT_EQ(analyser.Overall().smoothing, 0.8f);
}

TEST(AudioAnalyser, StartsSilentWithZeroGainAndEmptyBandsStaySilent) {
  AudioAnalyser analyser(3);
  EXPECT_EQ(analyser.GetGain(), 0.0f);
  analyser.Analyse({5, 5, 5});
  EXPECT_EQ(analyser.Overall().level, 0.0f);
  analyser.SetGain(1.0f);
  analyser.Analyse({5, 5, 5});  // t = 1: low is bin 0, middle and high have no bins
  EXPECT_FLOAT_EQ(analyser.Low().level, 1.0f);
  EXPECT_EQ(analyser.Middle().level, 0.0f);
  EXPECT_EQ(analyser.High().level, 0.0f);

  AudioAnalyser none(0);
  none.SetGain(1.0f);
  none.Analyse({});
  EXPECT_EQ(none.Overall().level, 0.0f);
  none.SetSampleRate(48000);
  EXPECT_EQ(none.GetBinWidth(), 0.0f);
  EXPECT_EQ(none.GetNyquist(), 24000.0f);
}

TEST(AudioAnalyser, SampleRateReachesEveryAnalyserThroughThePlugin) {
  RegisteringPlugin plugin;
  auto spectrum = plugin.AddAudioParam("Spectrum", 256);
  auto other = plugin.AddAudioParam("Other", 100);
  plugin.SetSampleRate(48000);
  EXPECT_EQ(plugin.sampleRate, 48000u);
  const AudioAnalyser* analyser = plugin.FindAnalyser(spectrum);
  EXPECT_EQ(analyser->GetSampleRate(), 48000u);
  EXPECT_EQ(analyser->GetNyquist(), 24000.0f);
  EXPECT_EQ(analyser->GetBinWidth(), 93.75f);
  EXPECT_EQ(plugin.FindAnalyser(other)->GetBinWidth(), 240.0f);
}

TEST(MonotonicClock, CountsNanosecondsAndConvertsTheCounterWithoutOverflowingTheProduct) {
  // 4e15 ticks of a 10 MHz counter: counter * 1e9 alone would overflow 64 bits.
  EXPECT_EQ(CounterToNanoseconds(4000000000000000ll, 10000000), 400000000000000000ll);
  EXPECT_EQ(CounterToNanoseconds(4000000000012345ll, 10000000), 400000000001234500ll);
  EXPECT_EQ(CounterToNanoseconds(10, 3), 3333333333ll);
  EXPECT_EQ(CounterToNanoseconds(std::numeric_limits<int64_t>::max(), 1000000000),
            std::numeric_limits<int64_t>::max());
  EXPECT_EQ(CounterToNanoseconds(12345, 0), 0);
  EXPECT_EQ(CounterToNanoseconds(12345, -5), 0);
  // The clock counts nanoseconds: a 20 ms sleep measures at least 20 ms and, generously, under 2 s.
  const int64_t before = MonotonicNanoseconds();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const int64_t elapsed = MonotonicNanoseconds() - before;
  EXPECT_GE(elapsed, 20000000);
  EXPECT_LT(elapsed, 2000000000);
}

}  // namespace
