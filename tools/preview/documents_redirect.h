// Runs the module as if a chosen folder were the user's documents folder. On Linux, HOME names a fresh
// temporary folder whose Documents links to that folder while the redirect lives (the module looks for presets
// under the documents folder of HOME at every read). On Windows, the module's own lookup of the shell's
// documents folder is answered with that folder once AttachTo has seen the loaded module.
#pragma once

#include <filesystem>
#include <string>

#include "tools/caller/plugin_module.h"
#include "tools/preview/command_status.h"

namespace preview {

class DocumentsRedirect {
 public:
  DocumentsRedirect() = default;
  DocumentsRedirect(const DocumentsRedirect&) = delete;
  DocumentsRedirect& operator=(const DocumentsRedirect&) = delete;
  // Ends the redirect and removes the temporary folder (never the folder it pointed at).
  ~DocumentsRedirect();

  // Makes documentsFolder (an existing folder) the documents folder.
  CommandStatus UseDocuments(const std::string& documentsFolder);
  // Makes a temporary documents folder whose only preset is a copy of presetFile, in the host folder
  // "Preview" (named *.xml so that the module finds it).
  CommandStatus UsePreset(const std::string& presetFile);
  // Lets a module loaded after UseDocuments or UsePreset see the redirect; does nothing without one.
  CommandStatus AttachTo(const caller::PluginModule& module);

  // The documents folder in effect; empty while nothing is redirected.
  const std::filesystem::path& documents() const { return documentsPath; }

 private:
  // Platform parts: a fresh temporary folder, pointing the documents folder at a folder, and undoing both.
  CommandStatus MakeScratch();
  CommandStatus PointAt(const std::filesystem::path& folder);
  void Restore();

  std::filesystem::path scratch;
  std::filesystem::path documentsPath;
  std::string savedHome;
  bool hadHome = false;
};

}  // namespace preview
