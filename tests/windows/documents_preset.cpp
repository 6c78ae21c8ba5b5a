// Places the test preset where the host keeps its Advanced Output presets: under the shell's Documents folder as
// the prefix has it (no redirect), so that the DLL finds it as it would on a user's machine.
#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <system_error>

#include "tests/windows/windows_checks.h"
#include "tools/caller/documents_folder.h"
#include "tools/caller/temp_folder.h"
#include "two_slices_preset.h"  // generated from tests/data/presets/two_slices.xml

namespace wintest {

bool PlaceTwoSlicePreset() {
  wchar_t shell[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, shell, CSIDL_PERSONAL, TRUE)) return false;
  const std::filesystem::path folder = std::filesystem::path(shell) / "Host" / "Presets" / "Advanced Output";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path file = folder / "mapping.xml";
  return !error && caller::WriteBytes(file, kTwoSlicePreset) && caller::SetWriteTime(file.u8string(), 1700000000000);
}

}  // namespace wintest
