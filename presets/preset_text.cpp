#include "presets/preset_text.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The length of the text before the first zero byte, or `size` when there is none; false in
// *ascii when a byte before that is beyond ASCII.
size_t TextBeforeZero(const unsigned char* bytes, size_t size, bool* ascii) {
  constexpr uint64_t kLow = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes + i, sizeof word);
    // A high bit in a byte, or a zero byte, shows in the high bits of the result.
    if (((word | ((word - kLow) & ~word)) & kHigh) != 0) break;
  }
  for (; i < size; ++i) {
    if (bytes[i] == 0) break;
    if (bytes[i] >= 0x80) {
      *ascii = false;
      return size;
    }
  }
  *ascii = true;
  return i;
}

PresetText Terminated(std::unique_ptr<char[]> buffer, size_t length) {
  buffer[length] = '\n';
  buffer[length + 1] = 0;
  return {std::move(buffer), length + 1};
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

// The library's decoding, for text beyond ASCII; UTF-16 decoded above.
PresetText DecodeByLibrary(const PresetBytes& bytes, bool utf16) {
  juce::String text =
      utf16 ? DecodeUtf16(reinterpret_cast<const unsigned char*>(bytes.buffer.get()), bytes.size)
            : juce::String::createStringFromData(bytes.buffer.get(), static_cast<int>(bytes.size));
  // The decoder keeps overlong forms as they are, while the parser reads them as the characters
  // they stand for: an overlong '<' would be markup that no byte test sees.
  if (HasOverlongForms(text.toRawUTF8())) text = juce::String(text.toUTF32());
  const size_t length = std::strlen(text.toRawUTF8());
  PresetBytes copy = PresetBytes::WithRoomFor(length);
  std::memcpy(copy.buffer.get(), text.toRawUTF8(), length);
  return Terminated(std::move(copy.buffer), length);
}

}  // namespace

PresetBytes PresetBytes::WithRoomFor(size_t size) {
  PresetBytes bytes;
  bytes.buffer.reset(new char[size + 2]);
  bytes.size = size;
  return bytes;
}

PresetBytes CopyPresetBytes(const void* data, size_t size) {
  PresetBytes bytes = PresetBytes::WithRoomFor(size);
  if (size > 0) std::memcpy(bytes.buffer.get(), data, size);
  return bytes;
}

PresetText DecodePresetBytes(PresetBytes bytes) {
  auto* raw = reinterpret_cast<const unsigned char*>(bytes.buffer.get());
  const size_t size = bytes.size;
  const bool utf16 = size >= 2 && ((raw[0] == 0xFE && raw[1] == 0xFF) || (raw[0] == 0xFF && raw[1] == 0xFE));
  const bool utf8Mark = size >= 3 && raw[0] == 0xEF && raw[1] == 0xBB && raw[2] == 0xBF;
  // Nothing after the mark (the library's decoder would read the byte after the buffer).
  if (utf8Mark && size == 3) return Terminated(std::move(bytes.buffer), 0);
  if (utf16 || size < 2) return DecodeByLibrary(bytes, utf16);
  const size_t skip = utf8Mark ? 3 : 0;
  bool ascii = false;
  const size_t length = TextBeforeZero(raw + skip, size - skip, &ascii);
  // What the library's decoder gives for ASCII, without its character-by-character check.
  if (!ascii) return DecodeByLibrary(bytes, false);
  if (skip > 0) std::memmove(bytes.buffer.get(), bytes.buffer.get() + skip, length);
  return Terminated(std::move(bytes.buffer), length);
}

juce::String DecodePresetText(const void* data, size_t size) {
  const PresetText text = DecodePresetBytes(CopyPresetBytes(data, size));
  const char* start = text.buffer.get();
  return juce::String(juce::CharPointer_UTF8(start), juce::CharPointer_UTF8(start + text.length));
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
