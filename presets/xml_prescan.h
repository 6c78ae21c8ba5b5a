// A linear pass over an XML text that predicts, without building anything, how deep the XML
// parser will nest and whether the text ends before its root element is complete.
#pragma once

#include <string>

#include <juce_core/juce_core.h>

// What the pass found.
enum class PrescanVerdict {
  Parseable,   // hand it to the parser
  TooDeep,     // an element lies deeper than the limit
  HasDoctype,  // the document declares a DTD (its entities could expand without bound)
  Malformed,   // the text ends inside the root element, or holds markup the parser would mishandle
};

// Result of PrescanXml.
struct PrescanResult {
  PrescanVerdict verdict = PrescanVerdict::Parseable;
  int maxDepth = 0;     // deepest element level met before the pass stopped (root = 1)
  std::string problem;  // for every verdict but Parseable: what and at which byte
};

// Walks the text exactly as the parser's grammar does, counting element levels instead of
// recursing; stops at the first level above depthLimit. Runs in time linear in the text, which
// must be valid UTF-8 (as text decoded into a juce::String is).
PrescanResult PrescanXml(const juce::String& text, int depthLimit);
