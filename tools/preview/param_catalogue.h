// The module's parameters as a host reads them through plugMain, and settings turned into values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/caller/plugin_module.h"
#include "tools/preview/command_status.h"
#include "tools/preview/scene_settings.h"

namespace preview {

// One parameter as the module describes it (codes 5, 15, 41, 31 and 35).
struct ParamInfo {
  uint32_t index = 0;
  std::string name;
  uint32_t type = kTypeStandard;
  float minimum = 0.0f;
  float maximum = 1.0f;
  std::vector<std::string> elements;  // option parameters: element names by position
};

// A setting as code 8 sends it: a float (option positions included) or a text for text-valued types.
struct ResolvedSetting {
  uint32_t index = 0;
  std::string name;
  bool isText = false;
  float value = 0.0f;
  std::string text;
  std::string origin;
};

// A value as messages show it (printf's %g).
std::string FormatNumber(float value);

// Every parameter of a module, looked up by display name.
class ParamCatalogue {
 public:
  ParamCatalogue() = default;
  explicit ParamCatalogue(std::vector<ParamInfo> params);

  // Reads all descriptions through plugMain (this makes the module's prototype); fails when the
  // module cannot report its parameters.
  CommandStatus Load(const caller::PluginModule& module);

  // Turns "Name=value" into the value to send: option elements by name or by position, switches
  // as numbers or on/off, numbers checked against the published range, text as given. Fails with
  // the near names or the available elements.
  CommandStatus Resolve(const Setting& setting, ResolvedSetting& resolved) const;

  const std::vector<ParamInfo>& params() const { return all; }
  // The parameter with a registry index; null when none has it.
  const ParamInfo* ByIndex(uint32_t index) const;

 private:
  CommandStatus ResolveOption(const ParamInfo& param, const Setting& setting, ResolvedSetting& resolved) const;
  CommandStatus ResolveNumber(const ParamInfo& param, const Setting& setting, ResolvedSetting& resolved) const;

  std::vector<ParamInfo> all;
  std::vector<std::string> names;
};

// Every setting resolved, or one message naming every one that is not.
CommandStatus ResolveAll(const ParamCatalogue& catalogue, const std::vector<Setting>& settings,
                         std::vector<ResolvedSetting>& resolved);

// Sends each setting to the instance through code 8, in order; fails naming the first one refused.
CommandStatus ApplySettings(const caller::PluginModule& module, void* instance,
                            const std::vector<ResolvedSetting>& settings);

}  // namespace preview
