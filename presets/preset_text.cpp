#include "presets/preset_text.h"

#include <cstdint>
#include <cstring>
#include <vector>

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

// UTF-16 after its byte-order mark, up to the first zero unit; a surrogate pair is one character, as in
// every UTF-16 text, while a lone surrogate stays the unit it is.
juce::String DecodeUtf16(const unsigned char* bytes, size_t size) {
  const bool bigEndian = bytes[0] == 0xFE;
  auto unitAt = [&](size_t i) {
    return bigEndian ? static_cast<uint32_t>(bytes[i] << 8 | bytes[i + 1])
                     : static_cast<uint32_t>(bytes[i + 1] << 8 | bytes[i]);
  };
  std::vector<juce::juce_wchar> characters;
  characters.reserve(size / 2);
  for (size_t i = 2; i + 1 < size; i += 2) {
    uint32_t unit = unitAt(i);
    if (unit == 0) break;
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < size) {
      const uint32_t low = unitAt(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    characters.push_back(static_cast<juce::juce_wchar>(unit));
  }
  characters.push_back(0);
  return juce::String(juce::CharPointer_UTF32(characters.data()));
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
  } else if (utf16) {
    text = DecodeUtf16(bytes, size);
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
