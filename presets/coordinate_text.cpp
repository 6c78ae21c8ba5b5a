#include "presets/coordinate_text.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace {

// Digits the library's reader keeps of a number; it drops or counts away the others.
constexpr int kKeptDigits = 18;
// Exponents beyond these give zero or infinity without being converted.
constexpr int kLowestExponent = DBL_MIN_10_EXP - 1;
constexpr int kHighestExponent = DBL_MAX_10_EXP + 1;

// Digits and powers of ten that a double holds exactly: a product or quotient of two such numbers is
// rounded once, so it is the correctly rounded value of the decimal text.
constexpr int kExactDigits = 15;
constexpr int kExactPowers = 22;
constexpr double kPowersOfTen[kExactPowers + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBeyondAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }

float Narrowed(double value) {
  if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(FLT_MAX)) return 0.0f;
  return static_cast<float>(value);
}

// Reads the common forms exactly as the library's reader does: ASCII blanks, a sign, at most 18
// digits with at most one point, an exponent. The library keeps at most 18 digits, skips zeros
// before the first other digit ahead of the point, needs at least one digit, and turns exponents
// beyond its limits into zero or infinity; within that, both give the correctly rounded double
// of the same digits, which for up to 15 digits and a scale of at most 22 powers of ten is one
// exact product or quotient. False, with *result untouched, for every text left to the library.
bool ReadCommonForm(const char* p, float* result) {
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
  // Other control characters and characters beyond ASCII may be blanks to the library.
  if ((static_cast<unsigned char>(*p) < 0x20 && *p != 0) || IsBeyondAscii(*p)) return false;
  const char* number = p;  // where the converted text starts: '-' stays, '+' is dropped
  bool negative = false;
  if (*p == '-') {
    negative = true;
    ++p;
  } else if (*p == '+') {
    number = ++p;
  }
  if (*p == 'n' || *p == 'N' || *p == 'i' || *p == 'I') return false;  // "nan", "inf" or no number
  int kept = 0, fractionDigits = 0;
  uint64_t digits = 0;  // the kept digits as a whole number
  bool leadingZeros = false, point = false;
  for (;; ++p) {
    if (IsDigit(*p)) {
      if (kept >= kKeptDigits) return false;
      if (!point && kept == 0 && *p == '0') {
        leadingZeros = true;
      } else {
        ++kept;
        digits = digits * 10 + static_cast<uint64_t>(*p - '0');
        if (point) ++fractionDigits;
      }
    } else if (*p == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (IsBeyondAscii(*p)) return false;
  if (!leadingZeros && kept == 0) {
    *result = 0.0f;
    return true;
  }
  const char* end = p;
  int exponent = 0;
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    const bool negativeExponent = *q == '-';
    if (*q == '-' || *q == '+') ++q;
    const char* exponentDigits = q;
    while (*q == '0') ++q;
    int significant = 0;
    for (; IsDigit(*q); ++q) {
      if (++significant > 8) {
        *result = 0.0f;
        return true;
      }
      exponent = exponent * 10 + (*q - '0');
    }
    if (IsBeyondAscii(*q)) return false;
    if (q == exponentDigits) {
      exponent = 0;
    } else {
      end = q;
      if (negativeExponent) exponent = -exponent;
      if (exponent < kLowestExponent) {
        *result = negative ? -0.0f : 0.0f;
        return true;
      }
      if (exponent > kHighestExponent) {
        *result = 0.0f;
        return true;
      }
    }
  }
  // Zeros alone before the point leave the library no digit to convert: it gives 0.
  if (kept == 0) {
    *result = 0.0f;
    return true;
  }
  const int scale = exponent - fractionDigits;
  if (kept <= kExactDigits && scale >= -kExactPowers && scale <= kExactPowers) {
    const auto whole = static_cast<double>(digits);
    const double value = scale < 0 ? whole / kPowersOfTen[-scale] : whole * kPowersOfTen[scale];
    *result = Narrowed(negative ? -value : value);
    return true;
  }
  double value = 0.0;
  const std::from_chars_result read = std::from_chars(number, end, value);
  if (read.ec != std::errc() || read.ptr != end) return false;
  *result = Narrowed(value);
  return true;
}

// Whether a converted text that a double cannot hold is too small for one (else it is too large): its first
// digit, moved by its exponent, stands below the units.
bool TooSmallToHold(const char* text, const char* end) {
  if (*text == '-') ++text;
  int order = -1, zerosAfterPoint = 0;
  bool point = false;
  for (; text < end && *text != 'e'; ++text) {
    if (*text == '.') {
      point = true;
    } else if (!point) {
      ++order;
    } else if (order < 0 && *text == '0') {
      ++zerosAfterPoint;
    } else {
      break;
    }
  }
  if (order < 0) order = -1 - zerosAfterPoint;
  int exponent = 0;
  if (text < end && *text == 'e') std::from_chars(text + 1, end, exponent);
  return order + exponent < 0;
}

// The reading of the library's standard build, which the reader gives on every platform (the library's MinGW
// build reads numbers otherwise: signed zeros, digits past the 18th). Blanks are ASCII's six; a sign, then at
// most 18 significant digits with at most one point and the exponent go into a short text that is converted
// to the correctly rounded double. An exponent of more than eight significant digits gives 0: the library
// gathers it in an int, which it overflows.
float ReadAsTheLibrary(const char* p) {
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  // Sign, 18 digits, point, 'e', exponent sign and three exponent characters.
  char converted[kKeptDigits + 7];
  char* out = converted;
  const bool negative = *p == '-';
  if (negative) *out++ = '-';
  if (*p == '-' || *p == '+') ++p;
  if (*p == 'n' || *p == 'N' || *p == 'i' || *p == 'I') return 0.0f;  // "nan", "inf" or no number
  int kept = 0, extraExponent = 0;
  bool point = false, leadingZeros = false;
  for (;; ++p) {
    if (IsDigit(*p)) {
      if (kept >= kKeptDigits) {
        if (!point) ++extraExponent;
        continue;
      }
      if (!point && kept == 0 && *p == '0') {
        leadingZeros = true;
        continue;
      }
      *out++ = *p;
      ++kept;
    } else if (*p == '.' && !point) {
      *out++ = '.';
      point = true;
    } else {
      break;
    }
  }
  if (!leadingZeros && kept == 0) return 0.0f;
  // Three exponent characters, as the library writes them: beyond 999 the first is past '9'.
  auto writeExponent = [&out](int exponent) {
    *out++ = static_cast<char>('0' + exponent / 100);
    *out++ = static_cast<char>('0' + exponent / 10 % 10);
    *out++ = static_cast<char>('0' + exponent % 10);
  };
  if (*p == 'e' || *p == 'E') {
    *out++ = 'e';
    const char* q = p + 1;
    const bool negativeExponent = *q == '-';
    if (*q == '-' || *q == '+') ++q;
    while (*q == '0') ++q;
    int exponent = 0, significant = 0;
    for (; IsDigit(*q); ++q) {
      if (++significant > 8) return 0.0f;
      exponent = exponent * 10 + (*q - '0');
    }
    exponent = extraExponent + (negativeExponent ? -exponent : exponent);
    if (exponent < 0) {
      if (exponent < kLowestExponent) return negative ? -0.0f : 0.0f;
      *out++ = '-';
      exponent = -exponent;
    } else if (exponent > kHighestExponent) {
      return 0.0f;
    }
    writeExponent(exponent);
  } else if (extraExponent > 0) {
    *out++ = 'e';
    writeExponent(extraExponent);
  }
  double value = 0.0;
  const std::from_chars_result read = std::from_chars(converted, out, value);
  if (read.ec == std::errc::invalid_argument) return 0.0f;  // no digit to convert: the C library gives +0
  if (read.ec == std::errc::result_out_of_range) {
    // The C library gives the signed zero or the infinity, which is no float coordinate.
    return negative && TooSmallToHold(converted, read.ptr) ? -0.0f : 0.0f;
  }
  return Narrowed(value);
}

}  // namespace

float ParseCoordinate(const juce::String& text) {
  const char* utf8 = text.toRawUTF8();
  float value = 0.0f;
  if (ReadCommonForm(utf8, &value)) return value;
  return ReadAsTheLibrary(utf8);
}
