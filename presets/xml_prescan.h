// A linear pass over an XML text, ahead of the XML parser: the markup walker follows the parser's
// grammar, the depth guard predicts how deep the parser will nest, and on request the unread cuts
// mark what the slice walk never reads, so that the parser can be spared it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <juce_core/juce_core.h>

#include "presets/markup_walker.h"
#include "presets/unread_cuts.h"

// Result of PrescanXml.
struct PrescanResult {
  PrescanVerdict verdict = PrescanVerdict::NotRun;
  int maxDepth = 0;           // deepest element level met before the pass stopped (root = 1)
  std::string problem;        // for TooDeep, HasDoctype and Malformed: what and at which byte
  std::vector<TextCut> cuts;  // in text order; only when asked for, and only if Parseable
  // A processing instruction stands inside the root: with the cuts made it may end up right
  // before text, which the parser would never get past, so the cut text must be scanned again.
  bool recheckAfterCuts = false;
};

// Walks the text, which must be valid UTF-8 (as text decoded into a juce::String is) and end with a NUL,
// stopping at the first level above depthLimit. With markUnread it also lists the elements, contents,
// attributes and blanks between markup that the slice walk never reads and that the parser would read
// without a fault or a side effect, so that leaving them out changes nothing the walk sees.
PrescanResult PrescanXml(const char* text, int depthLimit, bool markUnread = false);
PrescanResult PrescanXml(const juce::String& text, int depthLimit, bool markUnread = false);

// Makes the cuts in the `length` bytes of a NUL-terminated text, which shrinks in its place and
// stays terminated; returns its new length.
size_t ApplyCutsInPlace(char* text, size_t length, const std::vector<TextCut>& cuts);

// The text with the cuts made, as UTF-8.
std::string ApplyCuts(const juce::String& text, const std::vector<TextCut>& cuts);
