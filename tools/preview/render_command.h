// The render command: a headless host of its own renders one mapping to a PNG through plugMain alone.
#pragma once

#include <string>
#include <vector>

#include "tools/preview/command_status.h"

namespace preview {

// Everything the render command is asked to do.
struct RenderRequest {
  std::string modulePath;
  std::string inputImage;        // PNG or JPEG; empty for the generated test card at the viewport size
  std::string outputPng;
  std::string size = "1920x1080";  // the viewport, "WxH"
  std::string documentsFolder;   // run as if this were the user's documents folder
  std::string presetFile;        // or: stage this file as the only preset
  std::string sceneFile;         // settings, one "Name=value" a line, applied before the --set ones
  std::vector<std::string> sets;  // "Name=value", applied in order
  int frames = 1;                // frames rendered (code 17 each) before the picture is read
  std::string base = "input";    // black, transparent or input
};

// Renders the request into its PNG. readBack receives one line per parameter set, in the order first set,
// with the value the instance holds after the frames (read through codes 9 and 7).
CommandStatus RenderToPng(const RenderRequest& request, std::vector<std::string>& readBack);

}  // namespace preview
