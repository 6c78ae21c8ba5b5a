// Runs the module as if a chosen folder were the user's documents folder: while a redirect lives, HOME
// names a fresh temporary folder whose Documents is that folder, since the module looks for presets under
// the documents folder of HOME at every read.
#pragma once

#include <string>

#include "tools/preview/command_status.h"

namespace preview {

class DocumentsRedirect {
 public:
  DocumentsRedirect() = default;
  DocumentsRedirect(const DocumentsRedirect&) = delete;
  DocumentsRedirect& operator=(const DocumentsRedirect&) = delete;
  // Restores HOME and removes the temporary folder (never the folder it pointed at).
  ~DocumentsRedirect();

  // Makes documentsFolder (an existing folder) the documents folder.
  CommandStatus UseDocuments(const std::string& documentsFolder);
  // Makes a temporary documents folder whose only preset is a copy of presetFile, in the host folder
  // "Preview" (named *.xml so that the module finds it).
  CommandStatus UsePreset(const std::string& presetFile);

  // The documents folder in effect; empty while nothing is redirected.
  const std::string& documents() const { return documentsPath; }

 private:
  CommandStatus MakeHome();
  void Restore();

  std::string home;
  std::string documentsPath;
  std::string savedHome;
  bool hadHome = false;
};

}  // namespace preview
