// Runs the module as if a chosen folder were the user's documents folder. On Linux, HOME names a fresh
// temporary folder whose Documents links to that folder while the redirect lives (the module looks for presets
// under the documents folder of HOME at every read). On Windows, the module's own lookup of the shell's
// documents folder is answered with that folder once AttachTo has seen the loaded module.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "tools/caller/documents_folder.h"
#include "tools/caller/plugin_module.h"
#include "tools/caller/temp_folder.h"
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
  // A fresh temporary folder for a staged preset.
  CommandStatus MakeScratch();
  // Platform parts: pointing the documents folder at a folder, and undoing that and the scratch folder.
  CommandStatus PointAt(const std::filesystem::path& folder);
  void Restore();

  std::unique_ptr<caller::TempFolder> scratch;
  std::filesystem::path documentsPath;
#if !defined(_WIN32)
  std::unique_ptr<caller::DocumentsFolder> linked;  // the temporary HOME whose Documents links to the folder
#endif
};

}  // namespace preview
