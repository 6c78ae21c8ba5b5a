// The library's own readings that the reader's are compared with: of a preset's bytes as text, and of a
// coordinate text (where the library reads numbers exactly: its standard build; its MinGW build reads by another
// method).
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "presets/preset_text.h"

#include <juce_core/juce_core.h>

namespace testsupport {

// Whether the number parser would read an exponent of more than eight significant digits. It
// gathers the exponent in an int, which such an exponent overflows; the number itself is then 0 or
// far outside float range. Follows the parser's grammar: blanks, a sign, digits with at most one
// point, 'e' or 'E', a sign, digits.
inline bool HasOversizedExponent(juce::CharPointer_UTF8 text) {
  text = text.findEndOfWhitespace();
  if (*text == '-' || *text == '+') ++text;
  bool digits = false, point = false;
  for (;; ++text) {
    if (text.isDigit())
      digits = true;
    else if (*text == '.' && !point)
      point = true;
    else
      break;
  }
  if (!digits || (*text != 'e' && *text != 'E')) return false;
  ++text;
  if (*text == '-' || *text == '+') ++text;
  while (*text == '0') ++text;
  int significant = 0;
  for (; text.isDigit(); ++text)
    if (*text > '9' || ++significant > 8) return true;  // digits beyond ASCII count as large too
  return false;
}

// A coordinate text read by the library's number reader, narrowed as the reader narrows it.
inline float ParseCoordinateByLibrary(const juce::String& text) {
  if (HasOversizedExponent(text.getCharPointer())) return 0.0f;
  const double value = text.getDoubleValue();
  if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(FLT_MAX)) return 0.0f;
  return static_cast<float>(value);
}

// The library decodes UTF-16 unit by unit, each half of a surrogate pair a character of its own; the
// reader takes a pair as the one character it stands for.
inline juce::String WithSurrogatePairsJoined(const juce::String& text) {
  std::vector<juce::juce_wchar> characters;
  for (auto p = text.getCharPointer(); !p.isEmpty();) {
    juce::juce_wchar c = p.getAndAdvance();
    if (c >= 0xD800 && c < 0xDC00 && *p >= 0xDC00 && *p < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (p.getAndAdvance() - 0xDC00);
    characters.push_back(c);
  }
  characters.push_back(0);
  return juce::String(juce::CharPointer_UTF32(characters.data()));
}

// A preset's bytes as the reader must decode them: the library decoder's text with surrogate pairs joined and the
// reader's newline appended; none where the reader differs by design (a lone UTF-8 mark, overlong forms).
inline std::optional<juce::String> LibraryDecoding(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (size == 3 && bytes[0] == 0xEF) return std::nullopt;
  juce::String decoded = juce::String::createStringFromData(data, static_cast<int>(size)) + "\n";
  const bool utf16 = size >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF));
  if (utf16) decoded = WithSurrogatePairsJoined(decoded);
  if (HasOverlongForms(decoded.toRawUTF8())) return std::nullopt;
  return decoded;
}

}  // namespace testsupport
