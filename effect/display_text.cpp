// The text the host shows for a parameter's value.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "effect/qm_plugin.h"

namespace {

// The name without a trailing " <layer number>"; a global name stays whole.
std::string BaseName(const std::string& name) {
  size_t blank = name.find_last_of(' ');
  if (blank == std::string::npos || blank + 1 == name.size()) return name;
  for (size_t i = blank + 1; i < name.size(); ++i)
    if (name[i] < '0' || name[i] > '9') return name;
  return name.substr(0, blank);
}

// value * factor rounded half to even; products beyond 32 bits are held at the nearest limit.
bool RoundedProduct(float value, double factor, int32_t& out) {
  double product = std::nearbyint(static_cast<double>(value) * factor);
  if (std::isnan(product)) return false;
  if (product > std::numeric_limits<int32_t>::max()) product = std::numeric_limits<int32_t>::max();
  if (product < std::numeric_limits<int32_t>::min()) product = std::numeric_limits<int32_t>::min();
  out = static_cast<int32_t>(product);
  return true;
}

struct DisplayFormat {
  const char* baseName;
  double factor;
  bool percent;
  bool signedAngle;
};

constexpr DisplayFormat kFormats[] = {
    {"Opacity", 100.0, true, false},    {"Rotate Out", 1.0, false, true}, {"Rotate In", 1.0, false, true},
    {"Scale In", 1000.0, true, false},  {"Sample X", 100.0, true, false}, {"Sample Y", 100.0, true, false},
};

}  // namespace

const char* QmPlugin::GetParameterDisplay(uint32_t index) {
  CHostPlugin* values = owner ? owner : this;
  const ParamEntry* entry = values->FindParam(index);
  if (!entry || entry->type == kTypeNone) return nullptr;
  if (IsTextValuedType(entry->type)) return values->GetTextParameter(index);
  const std::string name = entry->NameText();
  const bool isLayerParam = static_cast<int64_t>(index) >= firstLayerParam;
  const std::string base = isLayerParam ? BaseName(name) : std::string();
  const float value = values->GetFloatParameter(index);

  char text[sizeof displayText] = {};
  for (const DisplayFormat& format : kFormats) {
    int32_t rounded = 0;
    if (base != format.baseName || !RoundedProduct(value, format.factor, rounded)) continue;
    const char* sign = format.signedAngle && value > 0.0f ? "+" : "";
    std::snprintf(text, sizeof text, "%s%d%s", sign, rounded, format.percent ? "%" : "");
    break;
  }
  std::memset(displayText, 0, sizeof displayText);
  std::memcpy(displayText, text, sizeof displayText - 1);
  return displayText;
}
