// Places the test preset where the host keeps its Advanced Output presets: under the shell's Documents folder.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "tests/windows/windows_checks.h"

namespace wintest {

namespace {

// One screen named Main with two slices, the second listed first.
const char kTwoSlicePreset[] = R"(<?xml version="1.0" encoding="utf-8"?>
<XmlState name="Test">
  <versionInfo major="7" minor="0"/>
  <ScreenSetup name="ScreenSetup">
    <screens>
      <Screen name="Main">
        <layers>
          <Slice>
            <Params name="Common"><Param name="Name" value="Left"/></Params>
            <InputRect><v x="0" y="0"/><v x="960" y="0"/><v x="960" y="1080"/><v x="0" y="1080"/></InputRect>
            <OutputRect><v x="0" y="0"/><v x="960" y="0"/><v x="960" y="1080"/><v x="0" y="1080"/></OutputRect>
          </Slice>
          <Slice>
            <Params name="Common"><Param name="Name" value="Right"/></Params>
            <InputRect><v x="960" y="0"/><v x="1920" y="0"/><v x="1920" y="1080"/><v x="960" y="1080"/></InputRect>
            <OutputRect><v x="960" y="0"/><v x="1920" y="0"/><v x="1920" y="1080"/><v x="960" y="1080"/></OutputRect>
          </Slice>
        </layers>
      </Screen>
    </screens>
  </ScreenSetup>
</XmlState>
)";

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
