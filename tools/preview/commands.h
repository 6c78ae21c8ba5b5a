// The preview tool's commands; each returns the process exit code.
#pragma once

#include <string>

namespace preview {

// Prints what a host sees of the module: identity, texts and number of parameters.
int RunInfo(const std::string& modulePath);

// Where the slices command takes its preset from: a file (read as a first read), a documents
// folder (searched as the effect does), or, with both empty, the user's documents folder.
struct SlicesRequest {
  std::string presetFile;
  std::string documentsFolder;
  bool json = false;  // one JSON object instead of lines
};

// Prints the screen entries and slices the effect would offer, and the status of the read.
int RunSlices(const SlicesRequest& request);

}  // namespace preview
