#include "tools/caller/documents_folder.h"

#include <system_error>

#include "tools/caller/temp_folder.h"

#if defined(_WIN32)
#include <windows.h>
#include <shlobj.h>
#else
#include <sys/time.h>

#include <cstdlib>
#endif

namespace caller {

namespace fs = std::filesystem;

#if defined(_WIN32)
namespace {

constexpr wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr wchar_t kDocumentsValue[] = L"Personal";

// Only a wine prefix is a test's own; a Windows user's own documents setting is never changed.
bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Sets (or, with an empty value, deletes) the user's documents folder as the shell reads it.
bool SetShellDocuments(const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LSTATUS status =
      value.empty() ? RegDeleteValueW(key, kDocumentsValue)
                    : RegSetValueExW(key, kDocumentsValue, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// The setting as stored (unexpanded); false when there is none.
bool ShellDocuments(std::wstring& value) {
  wchar_t stored[4096] = {};
  DWORD size = sizeof stored - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, kShellFolders, kDocumentsValue, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ |
                   RRF_NOEXPAND, nullptr, stored, &size) != ERROR_SUCCESS)
    return false;
  value = stored;
  return true;
}

}  // namespace

// Under wine the shell reads the user's folders from the registry at every question, so a fresh folder is named
// there for this object's life, and the earlier setting is given back at its end.
DocumentsFolder::DocumentsFolder() : scratch(std::make_unique<TempFolder>("mosaro-home-")) {
  if (!UnderWine()) {
    why = "outside wine the user's own documents folder is never redirected";
    return;
  }
  std::error_code error;
  const fs::path folder = scratch->path() / "Documents";
  if (!scratch->valid() || !fs::create_directory(folder, error)) {
    why = "cannot make a temporary documents folder";
    return;
  }
  std::wstring earlier;
  hadHome = ShellDocuments(earlier);
  savedHome = fs::path(earlier).u8string();
  homeChanged = SetShellDocuments(folder.wstring());
  if (!homeChanged) {
    why = "cannot name the temporary documents folder to the shell";
    return;
  }
  wchar_t shell[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, shell, CSIDL_PERSONAL, FALSE) || fs::path(shell) != folder) {
    why = "the shell does not name the temporary documents folder";
    return;
  }
  documents = folder.u8string();
  home = scratch->path().u8string();
}

DocumentsFolder::~DocumentsFolder() {
  if (homeChanged) SetShellDocuments(hadHome ? fs::u8path(savedHome).wstring() : std::wstring());
}

bool SetWriteTime(const std::string& utf8Path, int64_t writtenMs) {
  HANDLE file = CreateFileW(fs::u8path(utf8Path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  // File times count 100-nanosecond steps from 1601.
  const uint64_t ticks = static_cast<uint64_t>(writtenMs) * 10000u + 116444736000000000u;
  FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  const bool done = SetFileTime(file, nullptr, &time, &time) != 0;
  CloseHandle(file);
  return done;
}
#else
DocumentsFolder::DocumentsFolder() : DocumentsFolder(fs::path()) {}

// An empty linkedFolder makes Documents a folder of its own.
DocumentsFolder::DocumentsFolder(const fs::path& linkedFolder)
    : scratch(std::make_unique<TempFolder>("mosaro-home-")) {
  std::error_code error;
  const fs::path folder = scratch->path() / "Documents";
  if (!scratch->valid()) {
    why = "cannot make a temporary home folder";
    return;
  }
  if (linkedFolder.empty()) fs::create_directory(folder, error);
  else fs::create_directory_symlink(fs::absolute(linkedFolder, error), folder, error);
  if (error) {
    why = linkedFolder.empty() ? "cannot make a temporary documents folder: " + error.message()
                               : "cannot link a temporary home to " + linkedFolder.u8string() + ": " + error.message();
    return;
  }
  if (PointHomeAt(scratch->path())) documents = folder.u8string();
}

bool DocumentsFolder::PointHomeAt(const fs::path& temporaryHome) {
  const char* current = std::getenv("HOME");
  hadHome = current != nullptr;
  if (hadHome) savedHome = current;
  homeChanged = setenv("HOME", temporaryHome.c_str(), 1) == 0;
  if (!homeChanged) why = "cannot set HOME";
  home = temporaryHome.u8string();
  return homeChanged;
}

DocumentsFolder::~DocumentsFolder() {
  if (!homeChanged) return;
  if (hadHome) setenv("HOME", savedHome.c_str(), 1);
  else unsetenv("HOME");
}

bool SetWriteTime(const std::string& utf8Path, int64_t writtenMs) {
  struct timeval times[2];
  times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(writtenMs / 1000);
  times[0].tv_usec = times[1].tv_usec = static_cast<suseconds_t>((writtenMs % 1000) * 1000);
  return utimes(utf8Path.c_str(), times) == 0;
}
#endif

std::string DocumentsFolder::PresetFolder(const std::string& hostFolder) const {
  const fs::path folder = fs::u8path(documents) / fs::u8path(hostFolder) / "Presets" / "Advanced Output";
  std::error_code error;
  fs::create_directories(folder, error);
  return folder.u8string();
}

std::string DocumentsFolder::WritePreset(const std::string& hostFolder, const std::string& fileName,
                                         const std::string& bytes, int64_t writtenMs) const {
  const fs::path file = fs::u8path(PresetFolder(hostFolder)) / fs::u8path(fileName);
  if (!WriteBytes(file, bytes) || !SetWriteTime(file.u8string(), writtenMs)) return {};
  return file.u8string();
}

}  // namespace caller
