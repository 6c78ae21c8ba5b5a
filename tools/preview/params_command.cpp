// The params command: the host's parameter panel of a fresh instance, through plugMain alone.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/hostlib/egl_context.h"
#include "tools/hostlib/plugin_host.h"
#include "tools/preview/commands.h"
#include "tools/preview/json_text.h"

namespace preview {
namespace {

struct ParamDescription {
  uint32_t index = 0;
  std::string name;
  uint32_t type = 0;
  std::string defaultText;  // text-valued parameters
  float defaultValue = 0.0f;
  float minimum = 0.0f;
  float maximum = 1.0f;
  std::vector<std::string> elements;  // option parameters
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

bool IsTextValued(uint32_t type) { return type == kTypeText || type == kTypeFile; }

ParamDescription Describe(const hostlib::PluginModule& module, uint32_t index, void* instance) {
  ParamDescription d;
  d.index = index;
  d.name = module.GetParameterName(index);
  d.type = module.GetParameterType(index);
  if (IsTextValued(d.type)) {
    const char* text = reinterpret_cast<const char*>(module.GetParameterDefaultRaw(index));
    d.defaultText = text ? text : "";
  } else {
    d.defaultValue = module.GetParameterDefaultFloat(index);
  }
  RangeRecord range{index, 0.0f, 1.0f};
  module.GetRange(range);
  d.minimum = range.minimum;
  d.maximum = range.maximum;
  if (d.type == kTypeOption) {
    uint32_t count = module.GetNumElements(index);
    for (uint32_t e = 0; count != kStatusFailure && e < count; ++e) {
      const char* element = module.GetElementName(index, e);
      d.elements.push_back(element ? element : "");
    }
  }
  d.visible = module.GetVisibility(index, instance) == 1;
  return d;
}

std::string DefaultText(const ParamDescription& d) {
  if (IsTextValued(d.type)) return "\"" + d.defaultText + "\"";
  std::string text = JsonNumber(d.defaultValue);
  auto position = static_cast<size_t>(d.defaultValue);
  if (d.type == kTypeOption && d.defaultValue >= 0 && position < d.elements.size())
    text += " (" + d.elements[position] + ")";
  return text;
}

void PrintLine(const ParamDescription& d) {
  std::string detail;
  if (d.type == kTypeStandard || d.type == kTypeInteger)
    detail = JsonNumber(d.minimum) + " to " + JsonNumber(d.maximum);
  for (size_t e = 0; e < d.elements.size(); ++e) detail += (e ? ", " : "") + d.elements[e];
  std::printf("%4u  %-16s %-8s %-16s %-7s %s\n", d.index, d.name.c_str(), KindName(d.type), DefaultText(d).c_str(),
              d.visible ? "shown" : "hidden", detail.c_str());
}

void PrintJson(const std::vector<ParamDescription>& all, bool fromInstance) {
  std::printf("{\"visibility\": %s, \"parameters\": [", fromInstance ? "\"fresh instance\"" : "\"prototype\"");
  for (size_t i = 0; i < all.size(); ++i) {
    const ParamDescription& d = all[i];
    std::printf("%s\n  {\"index\": %u, \"name\": %s, \"type\": %u, \"kind\": \"%s\", \"default\": %s, "
                "\"minimum\": %s, \"maximum\": %s, \"elements\": [",
                i ? "," : "", d.index, JsonString(d.name).c_str(), d.type, KindName(d.type),
                IsTextValued(d.type) ? JsonString(d.defaultText).c_str() : JsonNumber(d.defaultValue).c_str(),
                JsonNumber(d.minimum).c_str(), JsonNumber(d.maximum).c_str());
    for (size_t e = 0; e < d.elements.size(); ++e) std::printf("%s%s", e ? ", " : "", JsonString(d.elements[e]).c_str());
    std::printf("], \"visible\": %s}", d.visible ? "true" : "false");
  }
  std::printf("\n]}\n");
}

}  // namespace

int RunParams(const std::string& modulePath, bool json) {
  hostlib::PluginModule module;
  if (!module.Load(modulePath)) {
    std::fprintf(stderr, "error: %s\n", module.error().c_str());
    return 2;
  }
  const uint32_t count = module.GetNumParameters();
  if (count == kStatusFailure) {
    std::fprintf(stderr, "error: the module could not build its parameter descriptions\n");
    return 3;
  }
  // Visibility is what a fresh instance shows after its defaults; that needs a GL context.
  hostlib::EglContext context;
  void* instance = nullptr;
  const ViewportRecord viewport{0, 0, 1920, 1080};
  if (context.Create()) instance = module.Instantiate(&viewport);
  if (!instance)
    std::fprintf(stderr, "note: no instance could be made (%s); visibility is the prototype's\n",
                 context.valid() ? "instantiation failed" : context.error().c_str());

  std::vector<ParamDescription> all;
  for (uint32_t i = 0; i < count; ++i) all.push_back(Describe(module, i, instance));
  if (instance) module.DeInstantiate(instance);
  module.Deinitialise();

  if (json) {
    PrintJson(all, instance != nullptr);
  } else {
    std::printf("%4s  %-16s %-8s %-16s %-7s %s\n", "idx", "name", "kind", "default", "panel", "range or elements");
    for (const ParamDescription& d : all) PrintLine(d);
  }
  return 0;
}

}  // namespace preview
