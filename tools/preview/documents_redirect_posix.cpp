// The documents folder on Linux: the module takes it from HOME at every read.
#include <cstdlib>
#include <system_error>

#include "tools/preview/documents_redirect.h"

namespace preview {

namespace fs = std::filesystem;

CommandStatus DocumentsRedirect::MakeScratch() {
  Restore();
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  std::string writable = (base / "mosaro-preview-XXXXXX").string();
  if (error || !mkdtemp(writable.data()))
    return CommandStatus::Fail(kExitBadRequest, "cannot make a temporary folder in " + base.string());
  scratch = writable;
  return CommandStatus::Ok();
}

CommandStatus DocumentsRedirect::PointAt(const fs::path& folder) {
  const fs::path home = scratch / "home";
  std::error_code error;
  fs::create_directory(home, error);
  if (!error) fs::create_directory_symlink(folder, home / "Documents", error);
  if (error)
    return CommandStatus::Fail(kExitBadRequest, "cannot link a temporary home to " + folder.string() + ": " +
                                                    error.message());
  const char* current = std::getenv("HOME");
  hadHome = current != nullptr;
  if (hadHome) savedHome = current;
  setenv("HOME", home.c_str(), 1);
  documentsPath = home / "Documents";
  return CommandStatus::Ok();
}

CommandStatus DocumentsRedirect::AttachTo(const caller::PluginModule&) { return CommandStatus::Ok(); }

void DocumentsRedirect::Restore() {
  if (scratch.empty()) return;
  if (!documentsPath.empty()) {
    if (hadHome) setenv("HOME", savedHome.c_str(), 1);
    else unsetenv("HOME");
  }
  std::error_code ignored;
  fs::remove_all(scratch, ignored);  // does not follow the Documents link
  scratch.clear();
  documentsPath.clear();
}

}  // namespace preview
