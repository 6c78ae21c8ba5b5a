#include "tools/preview/param_catalogue.h"

#include <cerrno>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "tools/preview/name_matching.h"

namespace preview {
namespace {

// A decimal number filling the whole text and finite as a float.
bool ParseNumber(const std::string& text, float& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(parsed)) return false;
  value = static_cast<float>(parsed);
  return std::isfinite(value);
}

bool ParseSwitchWord(const std::string& text, float& value) {
  const std::vector<std::string> on = {"on", "true", "yes"};
  const std::vector<std::string> off = {"off", "false", "no"};
  if (FindName(text, on) >= 0) value = 1.0f;
  else if (FindName(text, off) >= 0) value = 0.0f;
  else return false;
  return true;
}

std::string Origin(const Setting& setting) { return setting.origin.empty() ? "" : setting.origin + ": "; }

std::string ElementList(const std::vector<std::string>& elements) {
  std::string list;
  for (size_t i = 0; i < elements.size(); ++i)
    list += (i ? ", " : "") + std::to_string(i) + " \"" + elements[i] + "\"";
  return list;
}

}  // namespace

std::string FormatNumber(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

ParamCatalogue::ParamCatalogue(std::vector<ParamInfo> params) : all(std::move(params)) {
  for (const ParamInfo& param : all) names.push_back(param.name);
}

CommandStatus ParamCatalogue::Load(const caller::PluginModule& module) {
  const uint32_t count = module.GetNumParameters();
  if (count == kStatusFailure)
    return CommandStatus::Fail(kExitModule, "the module could not build its parameter descriptions (code 4 failed)");
  std::vector<ParamInfo> params;
  for (uint32_t i = 0; i < count; ++i) {
    ParamInfo param;
    param.index = i;
    param.name = module.GetParameterName(i);
    param.type = module.GetParameterType(i);
    RangeRecord range{i, 0.0f, 1.0f};
    if (module.GetRange(range) == kStatusSuccess) {
      param.minimum = range.minimum;
      param.maximum = range.maximum;
    }
    if (param.type == kTypeOption) {
      const uint32_t elements = module.GetNumElements(i);
      for (uint32_t e = 0; elements != kStatusFailure && e < elements; ++e) {
        const char* element = module.GetElementName(i, e);
        param.elements.push_back(element ? element : "");
      }
    }
    params.push_back(std::move(param));
  }
  *this = ParamCatalogue(std::move(params));
  return CommandStatus::Ok();
}

const ParamInfo* ParamCatalogue::ByIndex(uint32_t index) const {
  for (const ParamInfo& param : all)
    if (param.index == index) return &param;
  return nullptr;
}

CommandStatus ParamCatalogue::Resolve(const Setting& setting, ResolvedSetting& resolved) const {
  const int position = FindName(setting.name, names);
  if (position < 0) {
    std::string message = Origin(setting) + "no parameter named \"" + setting.name + "\"";
    const std::vector<std::string> near = NearMatches(setting.name, names, 6);
    if (!near.empty()) message += "; did you mean " + QuotedList(near) + "?";
    message += " (mosaro-preview params lists all " + std::to_string(names.size()) + ")";
    return CommandStatus::Fail(kExitBadRequest, message);
  }
  const ParamInfo& param = all[static_cast<size_t>(position)];
  resolved = ResolvedSetting{};
  resolved.index = param.index;
  resolved.name = param.name;
  resolved.origin = setting.origin;
  if (IsTextValuedType(param.type)) {
    resolved.isText = true;
    resolved.text = setting.value;
    return CommandStatus::Ok();
  }
  if (param.type == kTypeOption) return ResolveOption(param, setting, resolved);
  return ResolveNumber(param, setting, resolved);
}

CommandStatus ParamCatalogue::ResolveOption(const ParamInfo& param, const Setting& setting,
                                            ResolvedSetting& resolved) const {
  const int element = FindName(setting.value, param.elements);
  if (element >= 0) {
    resolved.value = static_cast<float>(element);
    return CommandStatus::Ok();
  }
  float number = 0.0f;
  if (ParseNumber(setting.value, number) && number == std::floor(number) && number >= 0.0f &&
      number < static_cast<float>(param.elements.size())) {
    resolved.value = number;
    return CommandStatus::Ok();
  }
  std::string message = Origin(setting) + param.name + " has no element \"" + setting.value + "\"";
  const std::vector<std::string> near = NearMatches(setting.value, param.elements, 4);
  message += near.empty() ? "." : "; did you mean " + QuotedList(near) + "?";
  message += " Elements by position: " + ElementList(param.elements);
  return CommandStatus::Fail(kExitBadRequest, message);
}

CommandStatus ParamCatalogue::ResolveNumber(const ParamInfo& param, const Setting& setting,
                                            ResolvedSetting& resolved) const {
  float number = 0.0f;
  const bool isSwitch = param.type == kTypeBoolean;
  if (!ParseNumber(setting.value, number) && !(isSwitch && ParseSwitchWord(setting.value, number)))
    return CommandStatus::Fail(kExitBadRequest, Origin(setting) + param.name + " takes a number" +
                                                    (isSwitch ? " or on/off" : "") + ", not \"" + setting.value + "\"");
  const bool ranged = isSwitch || param.type == kTypeStandard || param.type == kTypeInteger;
  if (ranged && param.minimum <= param.maximum && (number < param.minimum || number > param.maximum))
    return CommandStatus::Fail(kExitBadRequest, Origin(setting) + param.name + " takes " + FormatNumber(param.minimum) +
                                                    " to " + FormatNumber(param.maximum) + ", not " + setting.value);
  if (param.type == kTypeInteger && number != std::floor(number))
    return CommandStatus::Fail(kExitBadRequest,
                               Origin(setting) + param.name + " takes whole numbers, not " + setting.value);
  resolved.value = number;
  return CommandStatus::Ok();
}

CommandStatus ResolveAll(const ParamCatalogue& catalogue, const std::vector<Setting>& settings,
                         std::vector<ResolvedSetting>& resolved) {
  std::string messages;
  for (const Setting& setting : settings) {
    ResolvedSetting value;
    CommandStatus status = catalogue.Resolve(setting, value);
    if (status.ok()) resolved.push_back(value);
    else messages += (messages.empty() ? "" : "\n") + status.message;
  }
  return messages.empty() ? CommandStatus::Ok() : CommandStatus::Fail(kExitBadRequest, messages);
}

CommandStatus ApplySettings(const caller::PluginModule& module, void* instance,
                            const std::vector<ResolvedSetting>& settings) {
  for (const ResolvedSetting& setting : settings) {
    const uint32_t result = setting.isText ? module.SetText(instance, setting.index, setting.text.c_str())
                                           : module.SetFloat(instance, setting.index, setting.value);
    if (result != kStatusSuccess)
      return CommandStatus::Fail(kExitModule, setting.origin + ": the module refused " + setting.name + " (code 8)");
  }
  return CommandStatus::Ok();
}

}  // namespace preview
