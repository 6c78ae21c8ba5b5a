#include "presets/preset_text.h"

#include <cstdint>
#include <cstring>

namespace {

bool IsAscii(const unsigned char* bytes, size_t size) {
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes + i, sizeof word);
    if ((word & 0x8080808080808080ull) != 0) return false;
  }
  for (; i < size; ++i)
    if (bytes[i] >= 0x80) return false;
  return true;
}

}  // namespace

juce::String DecodePresetText(const void* data, size_t size) {
  auto* bytes = static_cast<const unsigned char*>(data);
  const bool utf16 = size >= 2 && ((bytes[0] == 0xFE && bytes[1] == 0xFF) || (bytes[0] == 0xFF && bytes[1] == 0xFE));
  const bool utf8Mark = size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
  const size_t skip = utf8Mark ? 3 : 0;
  juce::String text;
  if (utf8Mark && size == 3) {
    // Nothing after the mark (the library's decoder would read the byte after the buffer).
  } else if (!utf16 && size >= 2 && IsAscii(bytes + skip, size - skip)) {
    // What the library's decoder gives for ASCII, without its character-by-character check.
    auto* start = reinterpret_cast<const char*>(bytes);
    text = juce::String(juce::CharPointer_UTF8(start + skip), juce::CharPointer_UTF8(start + size));
  } else {
    text = juce::String::createStringFromData(data, static_cast<int>(size));
    // The decoder keeps overlong forms as they are, while the parser reads them as the characters
    // they stand for: an overlong '<' would be markup that no byte test sees.
    if (HasOverlongForms(text.toRawUTF8())) text = juce::String(text.toUTF32());
  }
  text += "\n";
  return text;
}

bool HasOverlongForms(const char* utf8) {
  for (auto* p = reinterpret_cast<const unsigned char*>(utf8); *p != 0; ++p) {
    if (*p < 0xC0) continue;
    if (*p == 0xC0 || *p == 0xC1) return true;
    if (*p == 0xE0 && (p[1] & 0xE0) == 0x80) return true;  // E0 80..9F
    if (*p == 0xF0 && (p[1] & 0xF0) == 0x80) return true;  // F0 80..8F
  }
  return false;
}
