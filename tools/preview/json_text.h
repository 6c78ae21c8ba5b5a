// Text helpers for the preview tool's JSON output.
#pragma once

#include <string>

namespace preview {

// A JSON string literal; bytes that are not UTF-8 become U+FFFD.
std::string JsonString(const std::string& text);

// The shortest decimal text that reads back as the same float ("nan", "inf" and "-inf" as JSON strings).
std::string JsonNumber(float value);

}  // namespace preview
