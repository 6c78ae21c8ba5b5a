#include "tools/preview/documents_redirect.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace preview {

namespace fs = std::filesystem;

DocumentsRedirect::~DocumentsRedirect() { Restore(); }

CommandStatus DocumentsRedirect::MakeHome() {
  Restore();
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  std::string writable = (base / "mosaro-preview-XXXXXX").string();
  if (error || !mkdtemp(writable.data()))
    return CommandStatus::Fail(kExitBadRequest, "cannot make a temporary home folder in " + base.string());
  home = writable;
  const char* current = std::getenv("HOME");
  hadHome = current != nullptr;
  if (hadHome) savedHome = current;
  setenv("HOME", home.c_str(), 1);
  return CommandStatus::Ok();
}

void DocumentsRedirect::Restore() {
  if (home.empty()) return;
  if (hadHome) setenv("HOME", savedHome.c_str(), 1);
  else unsetenv("HOME");
  std::error_code ignored;
  fs::remove_all(home, ignored);  // does not follow the Documents link
  home.clear();
  documentsPath.clear();
}

CommandStatus DocumentsRedirect::UseDocuments(const std::string& documentsFolder) {
  std::error_code error;
  if (!fs::is_directory(documentsFolder, error))
    return CommandStatus::Fail(kExitBadRequest, "documents folder " + documentsFolder + " is not a folder");
  const fs::path target = fs::absolute(documentsFolder, error);
  CommandStatus status = MakeHome();
  if (!status.ok()) return status;
  fs::create_directory_symlink(target, fs::path(home) / "Documents", error);
  if (error) {
    Restore();
    return CommandStatus::Fail(kExitBadRequest, "cannot link a temporary home to " + documentsFolder + ": " +
                                                    error.message());
  }
  documentsPath = (fs::path(home) / "Documents").string();
  return CommandStatus::Ok();
}

CommandStatus DocumentsRedirect::UsePreset(const std::string& presetFile) {
  std::error_code error;
  if (!fs::is_regular_file(presetFile, error))
    return CommandStatus::Fail(kExitBadRequest, "cannot read preset " + presetFile + ": not a file");
  CommandStatus status = MakeHome();
  if (!status.ok()) return status;
  const fs::path folder = fs::path(home) / "Documents" / "Preview" / "Presets" / "Advanced Output";
  fs::path name = fs::path(presetFile).filename();
  if (name.extension() != ".xml") name += ".xml";
  fs::create_directories(folder, error);
  if (!error) fs::copy_file(presetFile, folder / name, error);
  if (error) {
    Restore();
    return CommandStatus::Fail(kExitBadRequest, "cannot stage preset " + presetFile + ": " + error.message());
  }
  documentsPath = (fs::path(home) / "Documents").string();
  return CommandStatus::Ok();
}

}  // namespace preview
