// A walk over an XML text that follows the XML parser's grammar step for step, counting element
// levels instead of recursing, and tells a listener what it meets; it builds nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "presets/parse_guard.h"

// What the walk found.
enum class PrescanVerdict {
  NotRun,      // no walk has looked at the text
  Parseable,   // hand it to the parser
  TooDeep,     // an element lies deeper than the limit
  HasDoctype,  // the document declares a DTD (its entities could expand without bound)
  Malformed,   // the text ends inside the root element, or holds markup the parser would mishandle
};

// How a start tag ended.
enum class StartTag {
  EndsParent,  // no element here: the parser takes what it met as the end of the enclosing element
  Childless,   // "/>", or a tag the parser gives up on: no children are read
  Open,        // ">": the element's children follow
};

// One attribute of a start tag, with the blanks before it; pointers into the walked text.
struct AttributeSpan {
  const char* begin;       // just after the tag name or the value before it
  const char* end;         // just after its closing quote
  std::string_view name;
  std::string_view value;  // raw, between the quotes
};

// A start tag as the walk read it; pointers into the walked text, valid while the listener is called.
struct StartTagRead {
  const char* start = nullptr;  // its '<'
  const char* end = nullptr;    // just after the tag
  const char* gt = nullptr;     // for Open: the '>' that opened the element
  StartTag ending = StartTag::Childless;
  int level = 0;  // root = 1
  std::string_view tag;
  bool plain = true;                                       // read by the parser without a fault or a side effect
  const std::vector<AttributeSpan>* attributes = nullptr;  // in order; empty unless the walk collects them
};

// Told what the walk meets, in text order.
class MarkupListener {
 public:
  virtual ~MarkupListener() = default;
  // An element's start tag. Returns where the walk goes on if the listener has passed over the element's
  // content and close tag itself, or null for the walk to read its content.
  virtual const char* ElementStarted(const StartTagRead& tag) = 0;
  // The innermost open element ends.
  virtual void ElementEnded() = 0;
  // The parser passes over the blanks from `from` to `to` before markup and keeps them in no element.
  virtual void BlanksBeforeMarkup(const char* from, const char* to) = 0;
  // The parser decides what came before `at` only after looking at the bytes up to `at + count`.
  virtual void ParserPeeked(const char* at, size_t count) = 0;
};

// Where the walk ended and why.
struct MarkupWalk {
  PrescanVerdict verdict = PrescanVerdict::NotRun;
  std::string problem;                 // for TooDeep, HasDoctype and Malformed: what and at which byte
  bool instructionInsideRoot = false;  // a processing instruction stands inside the root element
};

// Walks a NUL-terminated text of valid UTF-8 (as text decoded into a juce::String is) from its start to the
// end of its root element, stopping at the first element the guard refuses and at every place where the
// parser would run out of text or never advance. Time linear in the text. With a listener, the attributes of
// each start tag are collected for it.
MarkupWalk WalkMarkup(const char* text, DepthGuard& guard, MarkupListener* listener);
