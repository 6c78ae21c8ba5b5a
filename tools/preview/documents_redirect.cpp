#include "tools/preview/documents_redirect.h"

#include <system_error>

namespace preview {

namespace fs = std::filesystem;

DocumentsRedirect::~DocumentsRedirect() { Restore(); }

CommandStatus DocumentsRedirect::MakeScratch() {
  Restore();
  scratch = std::make_unique<caller::TempFolder>("mosaro-preview-");
  if (scratch->valid()) return CommandStatus::Ok();
  std::error_code error;
  return CommandStatus::Fail(kExitBadRequest, "cannot make a temporary folder in " +
                                                  fs::temp_directory_path(error).u8string());
}

CommandStatus DocumentsRedirect::UseDocuments(const std::string& documentsFolder) {
  std::error_code error;
  const fs::path folder = fs::u8path(documentsFolder);
  if (!fs::is_directory(folder, error))
    return CommandStatus::Fail(kExitBadRequest, "documents folder " + documentsFolder + " is not a folder");
  const fs::path target = fs::absolute(folder, error);
  Restore();
  const CommandStatus status = PointAt(target);
  if (!status.ok()) Restore();
  return status;
}

CommandStatus DocumentsRedirect::UsePreset(const std::string& presetFile) {
  std::error_code error;
  const fs::path preset = fs::u8path(presetFile);
  if (!fs::is_regular_file(preset, error))
    return CommandStatus::Fail(kExitBadRequest, "cannot read preset " + presetFile + ": not a file");
  CommandStatus status = MakeScratch();
  if (!status.ok()) return status;
  const fs::path documents = scratch->path() / "Documents";
  const fs::path folder = documents / "Preview" / "Presets" / "Advanced Output";
  fs::path name = preset.filename();
  if (name.extension() != ".xml") name += ".xml";
  fs::create_directories(folder, error);
  if (!error) fs::copy_file(preset, folder / name, error);
  if (error) {
    Restore();
    return CommandStatus::Fail(kExitBadRequest, "cannot stage preset " + presetFile + ": " + error.message());
  }
  status = PointAt(documents);
  if (!status.ok()) Restore();
  return status;
}

}  // namespace preview
