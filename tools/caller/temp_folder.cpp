#include "tools/caller/temp_folder.h"

#include <fstream>
#include <iterator>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace caller {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& prefix) {
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  if (error) return;
#if defined(_WIN32)
  // A name of this process's own: creating it fails if it exists, so no two callers share one.
  for (unsigned attempt = 0; attempt < 1000 && folder.empty(); ++attempt) {
    const fs::path candidate =
        base / fs::u8path(prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt));
    if (fs::create_directory(candidate, error)) folder = candidate;
  }
#else
  std::string pattern = (base / (prefix + "XXXXXX")).string();
  if (mkdtemp(pattern.data())) folder = pattern;
#endif
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!folder.empty()) fs::remove_all(folder, ignored);  // links inside are removed, never followed
}

std::string TempFolder::operator/(const std::string& name) const { return (folder / fs::u8path(name)).u8string(); }

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const fs::path file = folder / fs::u8path(name);
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  return !error && WriteBytes(file, bytes) ? file.u8string() : std::string();
}

bool WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

bool ReadBytes(const fs::path& file, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace caller
