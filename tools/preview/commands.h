// The preview tool's commands; each returns the process exit code.
#pragma once

#include <string>

namespace preview {

// Prints what a host sees of the module: identity, texts and number of parameters.
int RunInfo(const std::string& modulePath);

// Lists every parameter as a host's panel would: index, name, kind, default, range or elements, and
// whether a fresh instance shows it; one JSON object with json.
int RunParams(const std::string& modulePath, bool json);

// Where the slices command takes its preset from: a file (read as a first read), a documents
// folder (searched as the effect does), or, with both empty, the user's documents folder.
struct SlicesRequest {
  std::string presetFile;
  std::string documentsFolder;
  bool json = false;  // one JSON object instead of lines
  std::string svgFile;  // also draw the slices over the composition into this SVG file
  std::string size = "1920x1080";  // the composition the SVG shows, "WxH"
};

// Prints the screen entries and slices the effect would offer, and the status of the read.
int RunSlices(const SlicesRequest& request);

struct RenderRequest;

// Renders a mapping to a PNG through plugMain alone; prints the values the instance holds with verbose.
int RunRender(const RenderRequest& request, bool verbose);

}  // namespace preview
