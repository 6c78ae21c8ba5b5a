// A scratch folder of its own in the system's temporary folder, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>

namespace caller {

class TempFolder {
 public:
  // Makes a new empty folder whose name starts with prefix; path() is empty when that fails.
  explicit TempFolder(const std::string& prefix = "mosaro-");
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  bool valid() const { return !folder.empty(); }
  // The folder's path (as UTF-8 text: path().u8string()); empty when it could not be made.
  const std::filesystem::path& path() const { return folder; }
  // The UTF-8 path of a name inside the folder ("a/b" names a file in a subfolder).
  std::string operator/(const std::string& name) const;
  // Writes a file inside the folder, making its parent folders; returns its UTF-8 path, empty on failure.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path folder;
};

// Writes bytes into a file, replacing it; false on failure.
bool WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// Reads a whole file's bytes as they are into bytes; false when it cannot be read.
bool ReadBytes(const std::filesystem::path& file, std::string& bytes);

}  // namespace caller
