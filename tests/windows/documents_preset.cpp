// Places the test preset where the host keeps its Advanced Output presets: under the shell's Documents folder.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "tests/windows/windows_checks.h"
#include "two_slices_preset.h"  // generated from tests/data/presets/two_slices.xml

namespace wintest {

namespace {

bool MakeFolder(const std::wstring& path) {
  return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

std::wstring PlaceTwoSlicePreset() {
  wchar_t documents[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, TRUE)) return {};
  const std::wstring host = std::wstring(documents) + L"\\Host";
  const std::wstring presets = host + L"\\Presets";
  const std::wstring advancedOutput = presets + L"\\Advanced Output";
  if (!MakeFolder(host) || !MakeFolder(presets) || !MakeFolder(advancedOutput)) return {};
  HANDLE file = CreateFileW((advancedOutput + L"\\mapping.xml").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  DWORD written = 0;
  const DWORD size = sizeof kTwoSlicePreset - 1;
  const bool complete = WriteFile(file, kTwoSlicePreset, size, &written, nullptr) && written == size;
  CloseHandle(file);
  return complete ? std::wstring(documents) : std::wstring();
}

}  // namespace wintest
