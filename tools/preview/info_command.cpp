#include <cstdio>
#include <cstring>
#include <string>

#include "tools/caller/plugin_module.h"
#include "tools/preview/command_status.h"
#include "tools/preview/commands.h"

namespace preview {

int RunInfo(const std::string& modulePath) {
  caller::PluginModule module;
  if (!module.Load(modulePath)) {
    std::fprintf(stderr, "error: %s\n", module.error().c_str());
    return kExitModule;
  }
  const PluginInfoLayout* info = module.GetInfo();
  if (!info) {
    std::fprintf(stderr, "error: the module returned no information record\n");
    return kExitModule;
  }
  std::string name(info->pluginName, strnlen(info->pluginName, sizeof info->pluginName));
  std::string id(info->uniqueId, strnlen(info->uniqueId, sizeof info->uniqueId));
  uint32_t count = module.GetNumParameters();
  std::printf("name:        %s\n", name.c_str());
  std::printf("identifier:  %s\n", id.c_str());
  std::printf("interface:   %u.%u\n", info->apiMajorVersion, info->apiMinorVersion);
  std::printf("version:     %u.%u\n", info->pluginMajorVersion, info->pluginMinorVersion);
  std::printf("type:        %s\n", info->pluginType == 0 ? "effect" : "source");
  std::printf("description: %s\n", info->description ? info->description : "");
  std::printf("about:       %s\n", info->about ? info->about : "");
  if (count == kStatusFailure)
    std::printf("parameters:  (the module could not build its description)\n");
  else
    std::printf("parameters:  %u\n", count);
  std::printf("inputs:      %u to %u\n", module.GetPluginCaps(kCapMinInputs), module.GetPluginCaps(kCapMaxInputs));
  module.Deinitialise();
  return count == kStatusFailure ? kExitModule : kExitOk;
}

}  // namespace preview
