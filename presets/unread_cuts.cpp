#include "presets/unread_cuts.h"

#include <algorithm>

#include "presets/markup_chars.h"
#include "presets/plain_markup.h"

namespace {

StartTagFacts FactsOf(const StartTagRead& tag) {
  StartTagFacts facts;
  facts.tag = tag.tag;
  for (const AttributeSpan& attribute : *tag.attributes)
    if (attribute.name == kNameAttribute) {
      facts.hasName = true;
      facts.name = attribute.value;
      break;
    }
  return facts;
}

}  // namespace

UnreadCuts::UnreadCuts(const char* text, DepthGuard& guard) : text_(text), guard_(guard) {
  open_.push_back({WalkPlace::Document, 0});
}

const char* UnreadCuts::ElementStarted(const StartTagRead& tag) {
  OpenElement& parent = open_.back();
  const WalkPlace place = PlaceOfChild(parent.place, FactsOf(tag), parent.children);
  ++parent.children;
  const bool cuttable = tag.plain && MayCut(tag.start);
  if (cuttable) DropUnreadAttributes(tag, place);
  if (cuttable && !ContentIsRead(place)) {
    if (tag.ending == StartTag::Childless) {
      if (place == WalkPlace::Unread) Cut(tag.start, tag.end, false);
      return nullptr;
    }
    const PlainContent content = ScanPlainContent(tag.end);
    if (content.end != nullptr && guard_.EnterNested(tag.level + content.levels)) {
      if (place == WalkPlace::Unread)
        Cut(tag.start, content.end, false);
      else
        Cut(tag.gt, content.end, true);
      return content.end;
    }
    // Whatever starts before the point where the plain scan ended is read as it stands, so that
    // no stretch of the text is scanned for plain markup twice.
    AllowCutsFrom(content.end != nullptr ? content.end : content.stop);
  }
  if (tag.ending == StartTag::Open) open_.push_back({place, 0});
  return nullptr;
}

void UnreadCuts::ElementEnded() { open_.pop_back(); }

// Blanks before markup are passed over by the parser and kept in no element.
void UnreadCuts::BlanksBeforeMarkup(const char* from, const char* to) {
  if (MayCut(from)) Cut(from, to, false);
}

// An element starting among the bytes the parser peeked at stays: without it, the parser would see other
// bytes and could decide otherwise ("/<X/>>" ends a tag once X is gone, "<![CD<X/>ATA[" becomes CDATA).
void UnreadCuts::ParserPeeked(const char* at, size_t count) { AllowCutsFrom(at + count + 1); }

void UnreadCuts::AllowCutsFrom(const char* at) {
  cutsAllowedFrom_ = std::max(cutsAllowedFrom_, static_cast<size_t>(at - text_));
}

// Leaves out the attributes that the walk never reads, blanks before them included; those it reads keep
// their order and their positions among themselves.
void UnreadCuts::DropUnreadAttributes(const StartTagRead& tag, WalkPlace place) {
  const AttributesRead read = AttributesReadAt(place);
  if (read.all) return;
  bool nameKept[2] = {false, false};
  const std::vector<AttributeSpan>& attributes = *tag.attributes;
  for (size_t i = 0; i < attributes.size(); ++i) {
    const AttributeSpan& attribute = attributes[i];
    bool keep = static_cast<int>(i) < read.byPosition;
    for (int k = 0; k < 2 && !keep; ++k)
      if (read.byName[k] != nullptr && !nameKept[k] && attribute.name == read.byName[k]) keep = nameKept[k] = true;
    if (keep) continue;
    // An attribute may follow a quoted value with no blank; the blanks before this one then stay, or the
    // tag name could run into the next attribute's name.
    const bool nameFollows = markup::Is(*attribute.end, markup::kNameChar | markup::kBeyondAscii);
    Cut(nameFollows ? attribute.name.data() : attribute.begin, attribute.end, false);
  }
}

// Leaves out the text from `from` to `to`, or puts "/>" in its place; joins a cut that ends where this one
// begins.
void UnreadCuts::Cut(const char* from, const char* to, bool closesElement) {
  const size_t first = static_cast<size_t>(from - text_), last = static_cast<size_t>(to - text_);
  if (!closesElement && !cuts_.empty() && cuts_.back().end == first && !cuts_.back().closesElement) {
    cuts_.back().end = last;
    return;
  }
  cuts_.push_back({first, last, closesElement});
}
