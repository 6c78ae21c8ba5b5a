// The version resource that Windows shows in the DLL's properties.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/checks.h"
#include "tests/windows/windows_checks.h"

namespace wintest {

namespace {

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text != nullptr && *text != 0; ++text) out.push_back(*text < 128 ? static_cast<char>(*text) : '?');
  return out;
}

std::string StringValue(std::vector<char>& block, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return "<missing>";
  return Narrow(static_cast<const wchar_t*>(value));
}

}  // namespace

void CheckVersionResource(const std::wstring& dllPath) {
  testsupport::checks::Group("version resource");
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(dllPath.c_str(), &ignored);
  if (!CHECK(size > 0)) return;
  std::vector<char> block(size);
  if (!CHECK(GetFileVersionInfoW(dllPath.c_str(), 0, size, block.data()))) return;
  void* fixed = nullptr;
  UINT fixedLength = 0;
  if (CHECK(VerQueryValueW(block.data(), L"\\", &fixed, &fixedLength) && fixedLength >= sizeof(VS_FIXEDFILEINFO))) {
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    CHECK_EQ(info->dwSignature, DWORD{0xFEEF04BD});
    CHECK_EQ(info->dwFileVersionMS, DWORD{0x00010000});
    CHECK_EQ(info->dwFileVersionLS, DWORD{0});
    CHECK_EQ(info->dwProductVersionMS, DWORD{0x00010000});
    CHECK_EQ(info->dwFileType, DWORD{VFT_DLL});
  }
  CHECK_EQ(StringValue(block, L"ProductName"), "Mosaro 2");
  CHECK_EQ(StringValue(block, L"FileDescription"), "Mosaro 2 slice mapper");
  CHECK_EQ(StringValue(block, L"ProductVersion"), "1.0");
  CHECK_EQ(StringValue(block, L"FileVersion"), "1.0");
  CHECK_EQ(StringValue(block, L"OriginalFilename"), "Mosaro2.dll");
}

}  // namespace wintest
