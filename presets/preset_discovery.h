// Finding the host's newest Advanced Output preset under the user's documents folder.
#pragma once

#include <string>

#include "presets/output_setup.h"

// Takes the newest "*.xml" file of the preset folder in the user's documents folder (the folder
// found before, while it exists) and calls ReadPreset with it, also with an empty path. When there
// is no preset folder it reads nothing and sets setup.readStatus to NoPresetFolder.
void RefreshPreset(OutputSetup& setup);

// RefreshPreset with the documents folder given instead of the user's.
void RefreshPresetIn(OutputSetup& setup, const std::string& documentsFolder);

// The "Presets/Advanced Output" folder of the first direct subfolder of documentsFolder, by name
// compared byte by byte, that holds one; empty when none does or the folder is missing.
std::string FindPresetFolder(const std::string& documentsFolder);

// Full path of the newest file directly in `folder` matching `pattern` (the first listed among
// equally new ones); records its time and listing position in newestTime and newestIndex.
// Returns an empty path, leaving both fields, when no file matches.
std::string FindNewestPreset(OutputSetup& setup, const std::string& folder, const std::string& pattern);
