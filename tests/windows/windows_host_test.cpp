// The Windows test host: loads the product DLL with LoadLibrary and checks it through plugMain.
//   mosaro_windows_host.exe PATH\Mosaro2.dll
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/checks.h"
#include "tests/windows/windows_checks.h"
#include "tools/caller/platform_text.h"
#include "tools/caller/plugin_module.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = caller::Utf8Arguments(argc, argv);
  if (arguments.size() != 2) {
    std::printf("usage: %s PATH\\Mosaro2.dll\n", argv[0]);
    return 2;
  }
  wintest::CheckProcResolver();
  wintest::CheckVersionResource(std::filesystem::u8path(arguments[1]).wstring());

  // The preset goes in before the module is loaded, as the host would have written it earlier.
  testsupport::checks::Group("loading the DLL");
  const bool presetPlaced = CHECK(wintest::PlaceTwoSlicePreset());
  caller::PluginModule module;
  const bool loaded = CHECK_MSG(module.Load(arguments[1]), module.error());
  CHECK(module.nativeHandle() != nullptr);
  CHECK(module.loaded());
  if (loaded && presetPlaced) wintest::CheckModuleThroughPlugMain(module);
  CHECK(module.Unload());
  return testsupport::checks::Summarise() ? 0 : 1;
}
