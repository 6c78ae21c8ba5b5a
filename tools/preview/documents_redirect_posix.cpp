// The documents folder on Linux: the module takes it from HOME at every read, so HOME names a temporary home
// whose Documents links to the chosen folder.
#include "tools/preview/documents_redirect.h"

namespace preview {

namespace fs = std::filesystem;

CommandStatus DocumentsRedirect::PointAt(const fs::path& folder) {
  linked.reset();
  linked = std::make_unique<caller::DocumentsFolder>(folder);
  if (!linked->valid()) return CommandStatus::Fail(kExitBadRequest, linked->error());
  documentsPath = fs::u8path(linked->Documents());
  return CommandStatus::Ok();
}

CommandStatus DocumentsRedirect::AttachTo(const caller::PluginModule&) { return CommandStatus::Ok(); }

void DocumentsRedirect::Restore() {
  linked.reset();  // HOME as it was; the link goes, never what it points at
  scratch.reset();
  documentsPath.clear();
}

}  // namespace preview
