// Text as it stands in XML attribute values and content, as XML is written beside where it is read (the preview
// tool's slices picture, the tests' presets).
#pragma once

#include <string>

// The text with &, <, > and " written as the entities that stand for them.
inline std::string EscapeXml(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

