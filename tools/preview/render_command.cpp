#include "tools/preview/render_command.h"

#include <algorithm>
#include <cstdio>

#include "tools/caller/gl_context.h"
#include "tools/caller/plugin_module.h"
#include "tools/preview/commands.h"
#include "tools/preview/composition_base.h"
#include "tools/preview/documents_redirect.h"
#include "tools/preview/image_io.h"
#include "tools/preview/param_catalogue.h"
#include "tools/preview/scene_settings.h"
#include "tools/preview/test_card.h"

namespace preview {
namespace {

// Ends the instance (code 19), with its GL context still current, when the render is over.
class InstanceScope {
 public:
  explicit InstanceScope(const caller::PluginModule& module) : module(module) {}
  InstanceScope(const InstanceScope&) = delete;
  InstanceScope& operator=(const InstanceScope&) = delete;
  ~InstanceScope() {
    if (instance) module.DeInstantiate(instance);
  }
  void* instance = nullptr;

 private:
  const caller::PluginModule& module;
};

CommandStatus CollectSettings(const RenderRequest& request, std::vector<Setting>& settings) {
  if (!request.sceneFile.empty()) {
    CommandStatus status = ReadSceneFile(request.sceneFile, settings);
    if (!status.ok()) return status;
  }
  for (const std::string& text : request.sets) {
    Setting setting;
    CommandStatus status = ParseSetting(text, "--set", setting);
    if (!status.ok()) return status;
    settings.push_back(setting);
  }
  return CommandStatus::Ok();
}

std::string ReadBackLine(const caller::PluginModule& module, void* instance, const ParamCatalogue& catalogue,
                         const ResolvedSetting& setting) {
  const ParamInfo& param = *catalogue.ByIndex(setting.index);
  std::string line = param.name + " = ";
  if (IsTextValuedType(param.type)) {
    const char* text = module.GetText(instance, setting.index);
    return line + "\"" + (text ? text : "") + "\"";
  }
  const float value = module.GetFloat(instance, setting.index);
  line += FormatNumber(value);
  const auto position = static_cast<size_t>(value);
  if (param.type == kTypeOption && value >= 0.0f && position < param.elements.size())
    return line + " \"" + param.elements[position] + "\"";
  const char* display = module.GetDisplay(instance, setting.index);
  if (display && AddressOf(display) != kPointerFailure && *display)
    line += std::string(" (") + display + ")";
  return line;
}

CommandStatus LoadInput(const RenderRequest& request, int width, int height, Image& input) {
  if (request.inputImage.empty()) {
    input = MakeTestCard(width, height);
    return CommandStatus::Ok();
  }
  return ReadImageFile(request.inputImage, input);
}

CommandStatus Redirect(const RenderRequest& request, DocumentsRedirect& redirect) {
  if (!request.documentsFolder.empty() && !request.presetFile.empty())
    return CommandStatus::Fail(kExitBadRequest, "give either a documents folder or a preset file, not both");
  if (!request.presetFile.empty()) return redirect.UsePreset(request.presetFile);
  if (!request.documentsFolder.empty()) return redirect.UseDocuments(request.documentsFolder);
  return CommandStatus::Ok();
}

// Draws the frames over the base and writes the picture; the module is loaded and described.
CommandStatus RenderFrames(const RenderRequest& request, const caller::PluginModule& module,
                           const ParamCatalogue& catalogue, const std::vector<ResolvedSetting>& settings,
                           const Image& input, int width, int height, BaseMode base,
                           std::vector<std::string>& readBack) {
  caller::GlContext context;
  if (!context.Create())
    return CommandStatus::Fail(kExitNoGl, "no headless OpenGL 4.1 core context: " + context.error());
  caller::RenderTarget target(width, height);
  if (!target.complete())
    return CommandStatus::Fail(kExitNoGl, "no " + request.size + " framebuffer in this OpenGL context");
  caller::Texture inputTexture(input.width, input.height, FlipRows(input.rgba, input.width, input.height));
  UseLinearFiltering(inputTexture.name());

  InstanceScope scope(module);
  target.Bind();
  const ViewportRecord viewport{0, 0, static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
  scope.instance = module.Instantiate(&viewport);
  if (!scope.instance)
    return CommandStatus::Fail(kExitModule, "the module failed to instantiate (code 18) for a " + request.size +
                                                " viewport");
  CommandStatus status = ApplySettings(module, scope.instance, settings);
  if (!status.ok()) return status;

  TextureRecord texture{static_cast<uint32_t>(input.width), static_cast<uint32_t>(input.height),
                        static_cast<uint32_t>(input.width), static_cast<uint32_t>(input.height), inputTexture.name()};
  TextureRecord* textures[1] = {&texture};
  const FrameRecord frame{1, textures};
  for (int f = 1; f <= request.frames; ++f) {
    FillBase(base, target, inputTexture.name(), input.width, input.height);
    if (module.ProcessFrame(scope.instance, &frame) != kStatusSuccess)
      return CommandStatus::Fail(kExitModule, "the module failed to draw frame " + std::to_string(f) + " (code 17)");
  }
  std::vector<uint32_t> reported;
  for (const ResolvedSetting& setting : settings) {
    if (std::find(reported.begin(), reported.end(), setting.index) != reported.end()) continue;
    reported.push_back(setting.index);
    readBack.push_back(ReadBackLine(module, scope.instance, catalogue, setting));
  }

  Image output;
  output.width = width;
  output.height = height;
  output.rgba = FlipRows(target.ReadPixels(), width, height);
  return WritePngFile(request.outputPng, output);
}

}  // namespace

CommandStatus RenderToPng(const RenderRequest& request, std::vector<std::string>& readBack) {
  int width = 0;
  int height = 0;
  CommandStatus status = ParseSize(request.size, width, height);
  if (!status.ok()) return status;
  BaseMode base = BaseMode::Input;
  if (!ParseBaseMode(request.base, base))
    return CommandStatus::Fail(kExitBadRequest, "base \"" + request.base + "\": expected black, transparent or input");
  if (request.frames < 1) return CommandStatus::Fail(kExitBadRequest, "frames must be at least 1");
  if (request.outputPng.empty()) return CommandStatus::Fail(kExitBadRequest, "no output file given");

  std::vector<Setting> settings;
  status = CollectSettings(request, settings);
  if (!status.ok()) return status;
  Image input;
  status = LoadInput(request, width, height, input);
  if (!status.ok()) return status;

  DocumentsRedirect redirect;
  status = Redirect(request, redirect);
  if (!status.ok()) return status;

  caller::PluginModule module;
  if (!module.Load(request.modulePath)) return CommandStatus::Fail(kExitModule, module.error());
  status = redirect.AttachTo(module);
  if (!status.ok()) return status;
  ParamCatalogue catalogue;
  status = catalogue.Load(module);
  if (status.ok()) {
    std::vector<ResolvedSetting> resolved;
    status = ResolveAll(catalogue, settings, resolved);
    if (status.ok()) status = RenderFrames(request, module, catalogue, resolved, input, width, height, base, readBack);
  }
  module.Deinitialise();
  return status;
}

int RunRender(const RenderRequest& request, bool verbose) {
  std::vector<std::string> readBack;
  const CommandStatus status = RenderToPng(request, readBack);
  if (!status.ok()) {
    size_t start = 0;
    for (size_t end = 0; end != std::string::npos; start = end + 1) {
      end = status.message.find('\n', start);
      std::fprintf(stderr, "error: %s\n", status.message.substr(start, end - start).c_str());
    }
    return status.exitCode;
  }
  if (verbose)
    for (const std::string& line : readBack) std::printf("%s\n", line.c_str());
  std::printf("wrote %s\n", request.outputPng.c_str());
  return kExitOk;
}

}  // namespace preview
