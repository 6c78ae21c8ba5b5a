// mosaro-preview: a command-line host that drives the plugin module through plugMain.
#include <CLI/CLI.hpp>

#include "tools/preview/commands.h"

int main(int argc, char** argv) {
  CLI::App app{"mosaro-preview: load the plugin module as a host would and show what it offers"};
  std::string modulePath = MOSARO_DEFAULT_MODULE;
  app.add_option("--module", modulePath, "Path of the plugin module")->capture_default_str();
  app.require_subcommand(1);

  CLI::App* info = app.add_subcommand("info", "Identity, texts and number of parameters");

  preview::SlicesRequest slicesRequest;
  CLI::App* slices = app.add_subcommand("slices", "Screens and slices the effect would offer from a preset");
  CLI::Option* presetOption = slices->add_option("preset", slicesRequest.presetFile, "Preset file to read");
  slices->add_option("--documents", slicesRequest.documentsFolder, "Documents folder to search for the newest preset")
      ->excludes(presetOption);
  slices->add_flag("--json", slicesRequest.json, "Print one JSON object");

  CLI11_PARSE(app, argc, argv);
  if (info->parsed()) return preview::RunInfo(modulePath);
  if (slices->parsed()) return preview::RunSlices(slicesRequest);
  return 1;
}
