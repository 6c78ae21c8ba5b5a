// The Windows test host: loads the product DLL with LoadLibrary and checks it through plugMain.
//   mosaro_windows_host.exe PATH\Mosaro2.dll
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/windows/check.h"
#include "tests/windows/windows_checks.h"

namespace {

std::wstring Widen(const char* text) {
  std::wstring out;
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 1) return out;
  out.resize(static_cast<size_t>(length - 1));
  MultiByteToWideChar(CP_ACP, 0, text, -1, &out[0], length);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: %s PATH\\Mosaro2.dll\n", argv[0]);
    return 2;
  }
  const std::wstring dllPath = Widen(argv[1]);
  wintest::CheckProcResolver();
  wintest::CheckVersionResource(dllPath);

  // The preset goes in before the module is loaded, as the host would have written it earlier.
  wintest::Group("loading the DLL");
  const bool presetPlaced = WIN_CHECK(!wintest::PlaceTwoSlicePreset().empty());
  HMODULE module = LoadLibraryW(dllPath.c_str());
  if (WIN_CHECK(module != nullptr) && presetPlaced) {
    auto plugMain = reinterpret_cast<PlugMainFunction>(reinterpret_cast<void (*)()>(GetProcAddress(module, "plugMain")));
    if (WIN_CHECK(plugMain != nullptr)) wintest::CheckModuleThroughPlugMain(plugMain);
    WIN_CHECK(FreeLibrary(module));
  }
  return wintest::Summarise() ? 0 : 1;
}
