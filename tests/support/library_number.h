// The library's own reading of a coordinate text, which the reader's own reading is compared with where the
// library reads numbers exactly (its standard build; its MinGW build reads by another method).
#pragma once

#include <cfloat>
#include <cmath>

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

}  // namespace testsupport
