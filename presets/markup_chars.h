// Classes of the bytes of a UTF-8 XML text, for the scans that run ahead of the XML parser.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace markup {

enum ByteClass : uint8_t {
  kNameChar = 1,          // an ASCII character the parser takes in tag and attribute names
  kPlainSpace = 2,        // ' ', '\n', '\r' or '\t'
  kTextStop = 4,          // '<', '&' or NUL: where a run of plain text ends
  kDoubleQuoteStop = 8,   // '"', '&' or NUL: where a plain value in double quotes ends
  kSingleQuoteStop = 16,  // '\'', '&' or NUL: where a plain value in single quotes ends
  kBeyondAscii = 32,      // a byte of a character beyond ASCII
};

constexpr std::array<uint8_t, 256> MakeByteClasses() {
  std::array<uint8_t, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    uint8_t bits = 0;
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
        c == ':' || c == '.')
      bits |= kNameChar;
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') bits |= kPlainSpace;
    if (c == '<' || c == '&' || c == 0) bits |= kTextStop;
    if (c == '"' || c == '&' || c == 0) bits |= kDoubleQuoteStop;
    if (c == '\'' || c == '&' || c == 0) bits |= kSingleQuoteStop;
    if (c >= 0x80) bits |= kBeyondAscii;
    classes[static_cast<std::size_t>(c)] = bits;
  }
  return classes;
}

inline constexpr std::array<uint8_t, 256> kByteClasses = MakeByteClasses();

// True when the byte belongs to any of the classes in `mask`.
inline bool Is(char c, uint8_t mask) { return (kByteClasses[static_cast<unsigned char>(c)] & mask) != 0; }

// The first byte from p on that belongs to a class in `mask`, which must take in NUL.
inline const char* FindFirst(const char* p, uint8_t mask) {
  while (!Is(*p, mask)) ++p;
  return p;
}

// The first byte from p on that belongs to none of the classes in `mask`.
inline const char* SkipAll(const char* p, uint8_t mask) {
  while (Is(*p, mask)) ++p;
  return p;
}

}  // namespace markup
