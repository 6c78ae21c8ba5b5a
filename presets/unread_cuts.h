// Decides, from what the markup walker meets, which stretches of a preset's text the slice walk never
// reads and the parser would pass over without a fault or a side effect, so that they can be left out
// before parsing without changing anything the walk finds.
#pragma once

#include <cstddef>
#include <vector>

#include "presets/markup_walker.h"
#include "presets/walk_places.h"

// A stretch of the text that the slice walk never reads, to be left out before parsing.
struct TextCut {
  size_t begin = 0;            // byte offset of the first byte left out
  size_t end = 0;              // byte offset just after the last one
  bool closesElement = false;  // "/>" takes its place: the element keeps its start tag, not its content
};

// Listens to a walk over `text` and collects the cuts: unread elements, the contents of elements whose
// attributes alone are read, the attributes the walk never reads, and blanks between markup. Only plain
// markup is cut, and nothing the parser looked at while deciding what came before it.
class UnreadCuts final : public MarkupListener {
 public:
  UnreadCuts(const char* text, DepthGuard& guard);

  const char* ElementStarted(const StartTagRead& tag) override;
  void ElementEnded() override;
  void BlanksBeforeMarkup(const char* from, const char* to) override;
  void ParserPeeked(const char* at, size_t count) override;

  // The cuts in text order.
  std::vector<TextCut>& Cuts() { return cuts_; }

 private:
  struct OpenElement {
    WalkPlace place;
    int children;  // child elements met so far
  };

  void DropUnreadAttributes(const StartTagRead& tag, WalkPlace place);
  void Cut(const char* from, const char* to, bool closesElement);
  bool MayCut(const char* at) const { return static_cast<size_t>(at - text_) >= cutsAllowedFrom_; }
  void AllowCutsFrom(const char* at);

  const char* text_;
  DepthGuard& guard_;
  size_t cutsAllowedFrom_ = 0;  // byte offset before which no markup is left out or changed
  std::vector<OpenElement> open_;
  std::vector<TextCut> cuts_;
};
