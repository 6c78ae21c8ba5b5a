// The documents folder in which the module looks for the host's presets, as a test, a benchmark or the preview
// tool prepares it: a fresh folder, Documents in a temporary home. On Linux HOME names that home (the module takes
// the folder from HOME at every read); under wine the shell names it as the user's documents folder (a test runs
// in a wine prefix of its own). Outside wine, Windows users' settings are never touched: valid() is false.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace caller {

class TempFolder;

class DocumentsFolder {
 public:
  // A fresh documents folder, the one the module finds while this object lives.
  DocumentsFolder();
#if !defined(_WIN32)
  // On Linux: a fresh temporary HOME whose Documents is a link to an existing folder, which is never touched
  // (an empty path: a Documents folder of its own, as the default constructor makes).
  explicit DocumentsFolder(const std::filesystem::path& linkedFolder);
#endif
  DocumentsFolder(const DocumentsFolder&) = delete;
  DocumentsFolder& operator=(const DocumentsFolder&) = delete;
  // Gives HOME (or the shell's setting) back its earlier value and removes the temporary home (not a linked
  // folder's contents).
  ~DocumentsFolder();

  // False when the folder could not be prepared; error() says why.
  bool valid() const { return !documents.empty(); }
  const std::string& error() const { return why; }
  // The temporary home folder and the documents folder in it, as UTF-8 paths.
  const std::string& Home() const { return home; }
  const std::string& Documents() const { return documents; }

  // The preset folder of a host folder, "HOST/Presets/Advanced Output", made if missing; its UTF-8 path.
  std::string PresetFolder(const std::string& hostFolder) const;
  // Writes a preset into that folder with the given last-write time (milliseconds since 1970); its UTF-8 path,
  // empty when it could not be written.
  std::string WritePreset(const std::string& hostFolder, const std::string& fileName, const std::string& bytes,
                          int64_t writtenMs) const;

 private:
#if !defined(_WIN32)
  bool PointHomeAt(const std::filesystem::path& temporaryHome);
#endif

  std::unique_ptr<TempFolder> scratch;
  std::string home;
  std::string documents;
  std::string savedHome;
  bool hadHome = false;
  bool homeChanged = false;
  std::string why;
};

// Sets a file's last-write time (milliseconds since 1970, UTC); false on failure.
bool SetWriteTime(const std::string& utf8Path, int64_t writtenMs);

}  // namespace caller
