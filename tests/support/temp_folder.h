// A scratch folder for a test, removed with everything in it when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace test {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mosaro-test-XXXXXX").string();
    path = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
  }

  // Full path of a name inside the folder.
  std::string operator/(const std::string& name) const { return path + "/" + name; }
  // Writes a file inside the folder (creating its parent folders) and returns its path.
  std::string Write(const std::string& name, const std::string& text) const {
    const std::string full = *this / name;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary) << text;
    return full;
  }
  const std::string& Path() const { return path; }

 private:
  std::string path;
};

}  // namespace test
