// Turns a preset file, or its bytes, into an XML element tree, refusing what could stall or
// overflow the parser.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <juce_core/juce_core.h>

#include "presets/parse_guard.h"
#include "presets/preset_text.h"
#include "presets/read_status.h"

// How much of the text the XML parser is given.
enum class ParseScope {
  WalkedParts,  // the text without the plain markup, attributes and blanks the slice walk never reads
  WholeText,    // all of it
};

// A parsed document, or why there is none.
struct LoadedDocument {
  ReadOutcome outcome = ReadOutcome::ParseFailed;  // Read exactly when root is set
  std::string detail;                              // what failed or was refused, and where
  int prescanDepth = 0;                            // element depth the pre-scan met (root = 1)
  size_t textBytes = 0;                            // UTF-8 bytes of the decoded text
  size_t parsedBytes = 0;                          // of those, the bytes the parser was given
  std::unique_ptr<juce::XmlElement> root;
};

// The bytes of a preset file, or why there are none.
struct PresetFileBytes {
  ReadOutcome outcome = ReadOutcome::NoFile;  // Read when the bytes are there, else NoFile or TooLarge
  std::string detail;
  PresetBytes bytes;
};

// The file named by a path as the import receives it: absolute, or relative to the working folder.
juce::File FileAtPath(const std::string& path);

// Reads the whole file, refusing one larger than kMaxPresetBytes.
PresetFileBytes ReadPresetFile(const juce::File& file);

// Parses bytes as they were read from a preset file: UTF-8 with or without a byte-order mark,
// or UTF-16 with one; text from the first zero byte on is ignored. Whatever the scope, the walk
// finds the same slices in the tree, and the parse fails or succeeds alike.
LoadedDocument ParsePresetBytes(PresetBytes bytes, ParseScope scope = ParseScope::WalkedParts);
LoadedDocument ParsePresetBytes(const void* data, size_t size, ParseScope scope = ParseScope::WalkedParts);
