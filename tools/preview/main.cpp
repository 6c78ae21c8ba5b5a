// mosaro-preview: a command-line host that drives the plugin module through plugMain.
#include <CLI/CLI.hpp>

#include "tools/caller/platform_text.h"
#include "tools/preview/command_status.h"
#include "tools/preview/commands.h"
#include "tools/preview/render_options.h"

int main(int argc, char** argv) {
  CLI::App app{"mosaro-preview: load the plugin module as a host would and show what it offers"};
  // The module just built on Linux; on Windows the Mosaro2.dll beside the program.
  std::string modulePath = caller::BesideProgram(MOSARO_DEFAULT_MODULE);
  app.add_option("--module", modulePath, "Path of the plugin module")->capture_default_str();
  app.require_subcommand(1);
  // The same command line everywhere: "/..." is a path, also on Windows.
  app.allow_windows_style_options(false);

  CLI::App* info = app.add_subcommand("info", "Identity, texts and number of parameters");

  bool paramsJson = false;
  CLI::App* params = app.add_subcommand("params", "Every parameter as a host's panel shows it");
  params->add_flag("--json", paramsJson, "Print one JSON object");

  preview::SlicesRequest slicesRequest;
  CLI::App* slices = app.add_subcommand("slices", "Screens and slices the effect would offer from a preset");
  CLI::Option* presetOption = slices->add_option("preset", slicesRequest.presetFile, "Preset file to read");
  slices->add_option("--documents", slicesRequest.documentsFolder, "Documents folder to search for the newest preset")
      ->excludes(presetOption);
  slices->add_flag("--json", slicesRequest.json, "Print one JSON object");
  slices->add_option("--svg", slicesRequest.svgFile, "Also draw the slices over the composition into this SVG file");
  slices->add_option("--size", slicesRequest.size, "Composition size the SVG shows, WxH")->capture_default_str();

  preview::RenderRequest renderRequest;
  bool renderVerbose = false;
  CLI::App* render = preview::AddRenderCommand(app, renderRequest, renderVerbose);

  caller::UseUtf8Console();
  const std::vector<std::string> arguments = caller::Utf8Arguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ParseError& error) {
    // Help is printed with status 0; every command line that cannot be used is a request not carried out.
    return app.exit(error) == 0 ? preview::kExitOk : preview::kExitBadRequest;
  }
  if (info->parsed()) return preview::RunInfo(modulePath);
  if (params->parsed()) return preview::RunParams(modulePath, paramsJson);
  if (slices->parsed()) return preview::RunSlices(slicesRequest);
  if (render->parsed()) {
    renderRequest.modulePath = modulePath;
    return preview::RunRender(renderRequest, renderVerbose);
  }
  return preview::kExitBadRequest;
}
