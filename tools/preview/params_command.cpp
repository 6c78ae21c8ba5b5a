// The params command: the host's parameter panel of a fresh instance, through plugMain alone.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/caller/gl_context.h"
#include "tools/caller/plugin_module.h"
#include "tools/preview/command_status.h"
#include "tools/preview/commands.h"
#include "tools/preview/json_text.h"
#include "tools/preview/param_catalogue.h"

namespace preview {
namespace {

// A parameter as the catalogue reads it, with its default and whether a fresh instance shows it.
struct ParamDescription {
  ParamInfo info;
  std::string defaultText;  // text-valued parameters
  float defaultValue = 0.0f;
  bool visible = true;
};

const char* KindName(uint32_t type) {
  switch (type) {
    case kTypeBoolean: return "switch";
    case kTypeEvent: return "event";
    case kTypeStandard: return "range";
    case kTypeOption: return "option";
    case kTypeInteger: return "integer";
    case kTypeText: return "text";
    case kTypeFile: return "file";
    case kTypeBuffer: return "buffer";
    default: return "other";
  }
}

ParamDescription Describe(const caller::PluginModule& module, const ParamInfo& info, void* instance) {
  ParamDescription d;
  d.info = info;
  if (IsTextValuedType(info.type)) {
    const char* text = module.GetParameterDefaultText(info.index);
    d.defaultText = text ? text : "";
  } else {
    d.defaultValue = module.GetParameterDefaultFloat(info.index);
  }
  d.visible = module.GetVisibility(info.index, instance) == 1;
  return d;
}

std::string DefaultText(const ParamDescription& d) {
  const ParamInfo& p = d.info;
  if (IsTextValuedType(p.type)) return "\"" + d.defaultText + "\"";
  std::string text = JsonNumber(d.defaultValue);
  auto position = static_cast<size_t>(d.defaultValue);
  if (p.type == kTypeOption && d.defaultValue >= 0 && position < p.elements.size())
    text += " (" + p.elements[position] + ")";
  return text;
}

void PrintLine(const ParamDescription& d) {
  const ParamInfo& p = d.info;
  std::string detail;
  if (p.type == kTypeStandard || p.type == kTypeInteger)
    detail = JsonNumber(p.minimum) + " to " + JsonNumber(p.maximum);
  for (size_t e = 0; e < p.elements.size(); ++e) detail += (e ? ", " : "") + p.elements[e];
  std::printf("%4u  %-16s %-8s %-16s %-7s %s\n", p.index, p.name.c_str(), KindName(p.type), DefaultText(d).c_str(),
              d.visible ? "shown" : "hidden", detail.c_str());
}

void PrintJson(const std::vector<ParamDescription>& all, bool fromInstance) {
  std::printf("{\"visibility\": %s, \"parameters\": [", fromInstance ? "\"fresh instance\"" : "\"prototype\"");
  for (size_t i = 0; i < all.size(); ++i) {
    const ParamDescription& d = all[i];
    const ParamInfo& p = d.info;
    std::printf("%s\n  {\"index\": %u, \"name\": %s, \"type\": %u, \"kind\": \"%s\", \"default\": %s, "
                "\"minimum\": %s, \"maximum\": %s, \"elements\": [",
                i ? "," : "", p.index, JsonString(p.name).c_str(), p.type, KindName(p.type),
                IsTextValuedType(p.type) ? JsonString(d.defaultText).c_str() : JsonNumber(d.defaultValue).c_str(),
                JsonNumber(p.minimum).c_str(), JsonNumber(p.maximum).c_str());
    for (size_t e = 0; e < p.elements.size(); ++e) std::printf("%s%s", e ? ", " : "", JsonString(p.elements[e]).c_str());
    std::printf("], \"visible\": %s}", d.visible ? "true" : "false");
  }
  std::printf("\n]}\n");
}

}  // namespace

int RunParams(const std::string& modulePath, bool json) {
  caller::PluginModule module;
  if (!module.Load(modulePath)) {
    std::fprintf(stderr, "error: %s\n", module.error().c_str());
    return kExitModule;
  }
  ParamCatalogue catalogue;
  const CommandStatus loaded = catalogue.Load(module);
  if (!loaded.ok()) {
    std::fprintf(stderr, "error: %s\n", loaded.message.c_str());
    return kExitModule;
  }
  // Visibility is what a fresh instance shows after its defaults; that needs a GL context.
  caller::GlContext context;
  void* instance = nullptr;
  const ViewportRecord viewport{0, 0, 1920, 1080};
  if (context.Create()) instance = module.Instantiate(&viewport);
  if (!instance)
    std::fprintf(stderr, "note: no instance could be made (%s); visibility is the prototype's\n",
                 context.valid() ? "instantiation failed" : context.error().c_str());

  std::vector<ParamDescription> all;
  for (const ParamInfo& info : catalogue.params()) all.push_back(Describe(module, info, instance));
  if (instance) module.DeInstantiate(instance);
  module.Deinitialise();

  if (json) {
    PrintJson(all, instance != nullptr);
  } else {
    std::printf("%4s  %-16s %-8s %-16s %-7s %s\n", "idx", "name", "kind", "default", "panel", "range or elements");
    for (const ParamDescription& d : all) PrintLine(d);
  }
  return kExitOk;
}

}  // namespace preview
