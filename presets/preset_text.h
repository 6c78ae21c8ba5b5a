// The bytes of a preset file as the text that the pre-scan and the XML parser both read.
#pragma once

#include <cstddef>

#include <juce_core/juce_core.h>

// Decodes UTF-8 with or without a byte-order mark, or UTF-16 with one, stopping at a zero byte;
// other bytes are read as Windows-1252. Every character comes out in its shortest UTF-8 form, so
// that a byte test on the text agrees with the parser's character test. A newline is appended:
// it keeps the parser from stepping past the end after a character escape cut short.
juce::String DecodePresetText(const void* data, size_t size);

// True when the UTF-8 bytes hold a character in a longer form than needed ("\xC0\xBC" for '<').
bool HasOverlongForms(const char* utf8);
