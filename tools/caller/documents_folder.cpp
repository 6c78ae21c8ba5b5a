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
DocumentsFolder::DocumentsFolder() {
  wchar_t shell[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, shell, CSIDL_PERSONAL, TRUE)) {
    why = "the shell names no documents folder";
    return;
  }
  documents = fs::path(shell).u8string();
  home = fs::path(shell).parent_path().u8string();
}

DocumentsFolder::~DocumentsFolder() = default;

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
