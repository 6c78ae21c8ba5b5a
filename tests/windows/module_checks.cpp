// The product DLL through plugMain, as a Windows host sees it before it has a GL context.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/windows/check.h"
#include "tests/windows/windows_checks.h"

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
constexpr uint32_t kParameterCount = 467;
constexpr uint32_t kSliceOutput1 = 11 + 4;
constexpr uint32_t kSliceSample24 = 11 + 19 * 23 + 10;

class Module {
 public:
  explicit Module(PlugMainFunction entry) : plugMain(entry) {}
  uint64_t Call(uint32_t code, uint64_t input = 0, void* instance = nullptr) const {
    return plugMain(code, input, instance);
  }
  uint64_t Call(uint32_t code, const void* record) const { return Call(code, reinterpret_cast<uintptr_t>(record)); }

  // The name field of a parameter (16 characters, zero-filled); empty when the module answers null.
  std::string Name(uint32_t index) const {
    const char* field = reinterpret_cast<const char*>(Call(kGetParameterName, index));
    return field == nullptr ? std::string() : std::string(field, strnlen(field, 16));
  }
  std::vector<std::string> ElementNames(uint32_t index) const {
    std::vector<std::string> names;
    const auto count = static_cast<uint32_t>(Call(kGetNumParameterElements, index));
    for (uint32_t element = 0; element < count && element < 64; ++element) {
      ElementRefRecord ref{index, element};
      const char* name = reinterpret_cast<const char*>(Call(kGetParameterElementName, &ref));
      names.push_back(name == nullptr ? "<null>" : name);
      const auto bits = static_cast<uint32_t>(Call(kGetParameterElementValue, &ref));
      float value = 0;
      std::memcpy(&value, &bits, sizeof value);
      WIN_CHECK_EQ(value, static_cast<float>(element));
    }
    return names;
  }

 private:
  PlugMainFunction plugMain;
};

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const auto& part : parts) text += (text.empty() ? "" : "|") + part;
  return text;
}

void CheckInformationRecord(const Module& module) {
  Group("information record");
  const auto* bytes = reinterpret_cast<const uint8_t*>(module.Call(kGetInfo));
  if (!WIN_CHECK(bytes != nullptr)) return;
  const uint8_t head[40] = {2,   0,   0,   0,   1,   0,   0,   0,   'Q', 'M', '0', '1', 'M', 'o',
                            's', 'a', 'r', 'o', ' ', '2', 0,   0,   0,   0,   0,   0,   0,   0,
                            0,   0,   0,   0,   1,   0,   0,   0,   0,   0,   0,   0};
  WIN_CHECK(std::memcmp(bytes, head, sizeof head) == 0);
  const auto* extended = reinterpret_cast<const uint8_t*>(module.Call(kGetExtendedInfo));
  WIN_CHECK_EQ(extended - bytes, 32);
  const auto* info = reinterpret_cast<const PluginInfoLayout*>(bytes);
  WIN_CHECK_EQ(std::string(info->description), "Mosaro 2 slice mapper");
  WIN_CHECK_EQ(std::string(info->about), "Freely map your content with extra layers within a plugin");
  const uint8_t tail[16] = {};
  WIN_CHECK(std::memcmp(bytes + 56, tail, sizeof tail) == 0);
}

void CheckParameters(const Module& module) {
  Group("467 parameters: names and types");
  WIN_CHECK_EQ(module.Call(kGetNumParameters), uint64_t{kParameterCount});
  for (uint32_t i = 0; i < 11; ++i) {
    WIN_CHECK_EQ(module.Name(i), kGlobalNames[i]);
    WIN_CHECK_EQ(module.Call(kGetParameterType, i), uint64_t{kGlobalTypes[i]});
  }
  for (uint32_t layer = 1; layer <= 24; ++layer) {
    for (uint32_t j = 0; j < 19; ++j) {
      const uint32_t index = 11 + 19 * (layer - 1) + j;
      WIN_CHECK_EQ(module.Name(index), std::string(kLayerNames[j]) + " " + std::to_string(layer));
      WIN_CHECK_EQ(module.Call(kGetParameterType, index), uint64_t{kLayerTypes[j]});
    }
  }
  WIN_CHECK_EQ(module.Call(kGetParameterName, kParameterCount), uint64_t{0});
  WIN_CHECK_EQ(module.Call(kGetParameterType, kParameterCount), uint64_t{kStatusFailure});
}

void CheckOptionElements(const Module& module) {
  Group("option elements, slices from the preset in Documents");
  WIN_CHECK_EQ(Joined(module.ElementNames(4)), "Center|Top Left");
  // A screen entry, then its slices from the last in the file to the first.
  WIN_CHECK_EQ(Joined(module.ElementNames(kSliceOutput1)), "None|( Main )|Right|Left");
  WIN_CHECK_EQ(Joined(module.ElementNames(kSliceSample24)), "None|( Main )|Right|Left");
  ElementRefRecord beyond{kSliceOutput1, 4};
  WIN_CHECK_EQ(module.Call(kGetParameterElementName, &beyond), uint64_t{0});
}

void CheckInstantiationWithoutContext(const Module& module) {
  Group("code 18 without a GL context");
  ViewportRecord viewport{0, 0, 64, 36};
  WIN_CHECK_EQ(module.Call(kInstantiateGL, &viewport), kPointerFailure);
  WIN_CHECK_EQ(module.Call(kInstantiateGL, &viewport), kPointerFailure);
  WIN_CHECK_EQ(module.Call(kInstantiateGL, uint64_t{0}), kPointerFailure);
  WIN_CHECK_EQ(static_cast<uint32_t>(module.Call(kDeInstantiateGL)), kStatusFailure);
  WIN_CHECK_EQ(static_cast<uint32_t>(module.Call(kProcessOpenGL)), kStatusFailure);
  // The module still answers afterwards, and code 2 ends the prototype.
  WIN_CHECK_EQ(module.Call(kGetNumParameters), uint64_t{kParameterCount});
  WIN_CHECK_EQ(module.Call(kDeinitialise), uint64_t{0});
  WIN_CHECK_EQ(module.Call(kGetNumParameters), uint64_t{kParameterCount});
  WIN_CHECK_EQ(module.Call(kDeinitialise), uint64_t{0});
}

}  // namespace

void CheckModuleThroughPlugMain(PlugMainFunction plugMain) {
  Module module(plugMain);
  CheckInformationRecord(module);
  CheckParameters(module);
  CheckOptionElements(module);
  CheckInstantiationWithoutContext(module);
}

}  // namespace wintest
