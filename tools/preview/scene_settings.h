// Parameter settings as the render command takes them: "Name=value" from --set and from scene files.
#pragma once

#include <string>
#include <vector>

#include "tools/preview/command_status.h"

namespace preview {

// One setting and where it came from, for messages.
struct Setting {
  std::string name;    // a parameter's display name, e.g. "Slice Output 1"
  std::string value;   // a number, an option element's name, or text
  std::string origin;  // "--set" or "FILE:LINE"
};

// Parses "Name=value" at the first '='; name and value lose surrounding blanks. Fails without '=' or
// with an empty name.
CommandStatus ParseSetting(const std::string& text, const std::string& origin, Setting& setting);

// Appends the settings of a scene file: one per line; blank lines and lines whose first non-blank
// character is '#' are skipped.
CommandStatus ReadSceneFile(const std::string& path, std::vector<Setting>& settings);

// Parses a size "WxH" of whole numbers from 1 to 16384.
CommandStatus ParseSize(const std::string& text, int& width, int& height);

}  // namespace preview
