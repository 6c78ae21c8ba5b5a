// The bytes of a preset file as the text that the pre-scan and the XML parser both read.
#pragma once

#include <cstddef>
#include <memory>

#include <juce_core/juce_core.h>

// Bytes of a preset file in a buffer that has room for two bytes more, where the decoded text's
// ending goes when the bytes are decoded where they lie.
struct PresetBytes {
  std::unique_ptr<char[]> buffer;
  size_t size = 0;

  // A buffer for `size` bytes and the ending, not yet filled.
  static PresetBytes WithRoomFor(size_t size);
};

// A decoded preset text: UTF-8 ending in the newline the decoder appends, then a NUL.
struct PresetText {
  std::unique_ptr<char[]> buffer;
  size_t length = 0;  // bytes before the NUL
};

// A copy of the bytes, with room for the ending.
PresetBytes CopyPresetBytes(const void* data, size_t size);

// Decodes UTF-8 with or without a byte-order mark, or UTF-16 with one, stopping at a zero byte;
// other bytes are read as Windows-1252. Every character comes out in its shortest UTF-8 form, so
// that a byte test on the text agrees with the parser's character test. A newline is appended:
// it keeps the parser from stepping past the end after a character escape cut short. ASCII text
// is decoded in the bytes' own buffer, without a copy.
PresetText DecodePresetBytes(PresetBytes bytes);

// The same decoding of bytes held elsewhere, as a string.
juce::String DecodePresetText(const void* data, size_t size);

// True when the UTF-8 bytes hold a character in a longer form than needed ("\xC0\xBC" for '<').
bool HasOverlongForms(const char* utf8);
