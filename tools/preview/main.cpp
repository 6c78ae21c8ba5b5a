// mosaro-preview: a command-line host that drives the plugin module through plugMain.
#include <CLI/CLI.hpp>

#include "tools/preview/commands.h"

int main(int argc, char** argv) {
  CLI::App app{"mosaro-preview: load the plugin module as a host would and show what it offers"};
  std::string modulePath = MOSARO_DEFAULT_MODULE;
  app.add_option("--module", modulePath, "Path of the plugin module")->capture_default_str();
  app.require_subcommand(1);

  CLI::App* info = app.add_subcommand("info", "Identity, texts and number of parameters");

  CLI11_PARSE(app, argc, argv);
  if (info->parsed()) return preview::RunInfo(modulePath);
  return 1;
}
