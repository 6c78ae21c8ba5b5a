// A linear pass over an XML text that predicts, without building anything, how deep the XML
// parser will nest and whether the text ends before its root element is complete; on request it
// also marks the markup, attributes and blanks that the slice walk never reads, so that the parser
// can be spared them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <juce_core/juce_core.h>

// What the pass found.
enum class PrescanVerdict {
  NotRun,      // no pass has looked at the text
  Parseable,   // hand it to the parser
  TooDeep,     // an element lies deeper than the limit
  HasDoctype,  // the document declares a DTD (its entities could expand without bound)
  Malformed,   // the text ends inside the root element, or holds markup the parser would mishandle
};

// A stretch of the text that the slice walk never reads, to be left out before parsing.
struct TextCut {
  size_t begin = 0;            // byte offset of the first byte left out
  size_t end = 0;              // byte offset just after the last one
  bool closesElement = false;  // "/>" takes its place: the element keeps its start tag, not its content
};

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

// Walks the text exactly as the parser's grammar does, counting element levels instead of
// recursing; stops at the first level above depthLimit. Runs in time linear in the text, which
// must be valid UTF-8 (as text decoded into a juce::String is) and end with a NUL. With markUnread
// it also lists the elements, contents, attributes and blanks between markup that the slice walk
// never reads and that the parser would read without a fault or a side effect, so that leaving
// them out changes nothing the walk sees.
PrescanResult PrescanXml(const char* text, int depthLimit, bool markUnread = false);
PrescanResult PrescanXml(const juce::String& text, int depthLimit, bool markUnread = false);

// Makes the cuts in the `length` bytes of a NUL-terminated text, which shrinks in its place and
// stays terminated; returns its new length.
size_t ApplyCutsInPlace(char* text, size_t length, const std::vector<TextCut>& cuts);

// The text with the cuts made, as UTF-8.
std::string ApplyCuts(const juce::String& text, const std::vector<TextCut>& cuts);
