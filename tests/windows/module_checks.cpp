// The product DLL through plugMain, as a Windows host sees it before it has a GL context.
#include <cstdint>
#include <string>
#include <vector>

#include "effect/layer_params.h"
#include "tests/support/checks.h"
#include "tests/windows/windows_checks.h"
#include "tools/caller/plugin_calls.h"

namespace wintest {

namespace {

const char* const kGlobalNames[11] = {"Live Update", "Options", "Limit X", "Limit Y", "Global Position", "Scalings",
                                      "Ratio", "Kaleidoscope", "Kal. Centered", "UV", "Edit Slice"};
const uint32_t kGlobalTypes[11] = {0, 0, 10, 10, 11, 0, 0, 0, 0, 11, 11};
const char* const kLayerNames[19] = {"Enable",       "Name",     "Alpha",      "Opacity",     "Slice Output",
                                     "Position X",   "Position Y", "Width",    "Height",      "Rotate Out",
                                     "Slice Sample", "Scaling",  "Sample X",   "Sample Y",    "Ratio",
                                     "Rotate In",    "Scale In", "Kaleidoscope", "Symmetry"};
const uint32_t kLayerTypes[19] = {0, 100, 0, 10, 11, 13, 13, 13, 13, 10, 11, 11, 10, 10, 10, 10, 10, 13, 11};
constexpr uint32_t kSliceOutput1 = 11 + 4;
constexpr uint32_t kSliceSample24 = 11 + 19 * 23 + 10;

// The element names of an option parameter, each element's value checked to be its position.
std::vector<std::string> ElementNames(const caller::PluginCalls& module, uint32_t index) {
  std::vector<std::string> names;
  const uint32_t count = module.GetNumElements(index);
  for (uint32_t element = 0; element < count && element < 64; ++element) {
    const char* name = module.GetElementName(index, element);
    names.push_back(name == nullptr ? "<null>" : name);
    CHECK_EQ(module.GetElementValue(index, element), static_cast<float>(element));
  }
  return names;
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const auto& part : parts) text += (text.empty() ? "" : "|") + part;
  return text;
}

void CheckInformationRecord(const caller::PluginCalls& module) {
  testsupport::checks::Group("information record");
  const auto* bytes = reinterpret_cast<const uint8_t*>(module.GetInfo());
  if (!CHECK(bytes != nullptr)) return;
  const uint8_t head[40] = {2,   0,   0,   0,   1,   0,   0,   0,   'Q', 'M', '0', '1', 'M', 'o',
                            's', 'a', 'r', 'o', ' ', '2', 0,   0,   0,   0,   0,   0,   0,   0,
                            0,   0,   0,   0,   1,   0,   0,   0,   0,   0,   0,   0};
  CHECK(std::memcmp(bytes, head, sizeof head) == 0);
  const auto* extended = static_cast<const uint8_t*>(module.GetExtendedInfo());
  CHECK_EQ(extended - bytes, 32);
  const PluginInfoLayout* info = module.GetInfo();
  CHECK_EQ(std::string(info->description), "Mosaro 2 slice mapper");
  CHECK_EQ(std::string(info->about), "Freely map your content with extra layers within a plugin");
  const uint8_t tail[16] = {};
  CHECK(std::memcmp(bytes + 56, tail, sizeof tail) == 0);
}

void CheckParameters(const caller::PluginCalls& module) {
  testsupport::checks::Group(std::to_string(kParameterCount) + " parameters: names and types");
  CHECK_EQ(module.GetNumParameters(), kParameterCount);
  for (uint32_t i = 0; i < 11; ++i) {
    CHECK_EQ(module.GetParameterName(i), kGlobalNames[i]);
    CHECK_EQ(module.GetParameterType(i), kGlobalTypes[i]);
  }
  for (uint32_t layer = 1; layer <= 24; ++layer) {
    for (uint32_t j = 0; j < 19; ++j) {
      const uint32_t index = 11 + 19 * (layer - 1) + j;
      CHECK_EQ(module.GetParameterName(index), std::string(kLayerNames[j]) + " " + std::to_string(layer));
      CHECK_EQ(module.GetParameterType(index), kLayerTypes[j]);
    }
  }
  CHECK(module.GetParameterNameField(kParameterCount) == nullptr);
  CHECK_EQ(module.GetParameterType(kParameterCount), kStatusFailure);
}

void CheckOptionElements(const caller::PluginCalls& module) {
  testsupport::checks::Group("option elements, slices from the preset in Documents");
  CHECK_EQ(Joined(ElementNames(module, 4)), "Center|Top Left");
  // A screen entry, then its slices from the last in the file to the first.
  CHECK_EQ(Joined(ElementNames(module, kSliceOutput1)), "None|( Main )|Right|Left");
  CHECK_EQ(Joined(ElementNames(module, kSliceSample24)), "None|( Main )|Right|Left");
  CHECK(module.GetElementName(kSliceOutput1, 4) == nullptr);
}

void CheckInstantiationWithoutContext(const caller::PluginCalls& module) {
  testsupport::checks::Group("code 18 without a GL context");
  ViewportRecord viewport{0, 0, 64, 36};
  CHECK_EQ(module.Call(kInstantiateGL, AddressOf(&viewport)), kPointerFailure);
  CHECK_EQ(module.Call(kInstantiateGL, AddressOf(&viewport)), kPointerFailure);
  CHECK_EQ(module.Call(kInstantiateGL, 0), kPointerFailure);
  CHECK_EQ(module.DeInstantiate(nullptr), kStatusFailure);
  CHECK_EQ(module.Call32(kProcessOpenGL), kStatusFailure);
  // The module still answers afterwards, and code 2 ends the prototype.
  CHECK_EQ(module.GetNumParameters(), kParameterCount);
  CHECK_EQ(module.Deinitialise(), kStatusSuccess);
  CHECK_EQ(module.GetNumParameters(), kParameterCount);
  CHECK_EQ(module.Deinitialise(), kStatusSuccess);
}

}  // namespace

void CheckModuleThroughPlugMain(const caller::PluginCalls& module) {
  CheckInformationRecord(module);
  CheckParameters(module);
  CheckOptionElements(module);
  CheckInstantiationWithoutContext(module);
}

}  // namespace wintest
