#include "presets/xml_prescan.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "presets/markup_chars.h"
#include "presets/plain_markup.h"
#include "presets/walk_places.h"

namespace {

using juce::CharacterFunctions;
using juce::CharPointer_ASCII;
using juce::CharPointer_UTF8;
using juce_wchar = juce::juce_wchar;

// How a start tag ended.
enum class StartTag {
  None,       // no element here: the enclosing element ends
  Childless,  // "/>", or a tag the parser gives up on: no children are read
  Open,       // ">": the element's children follow
};

// One attribute of a start tag, with the blanks before it.
struct AttributeSpan {
  const char* begin;  // just after the name or value before it
  const char* end;    // just after its closing quote
  std::string_view name;
};

// What a start tag held, for deciding whether the walk reads the element.
struct StartTagSeen {
  StartTagFacts facts;
  bool plain = true;         // read by the parser without a fault or a side effect
  const char* gt = nullptr;  // the '>' that opened the element
};

// An element whose children are being read.
struct OpenElement {
  WalkPlace place;
  int children;  // child elements met so far
};

// Follows the parser's grammar step by step over the UTF-8 bytes, stepping from character to
// character as the parser does and testing characters with the same functions. Every place where
// the parser would run out of text, or would never advance, stops the pass as malformed, so that
// no unterminated construct reaches the parser.
class Prescanner {
 public:
  Prescanner(const char* text, int limit, bool markUnreadParts)
      : begin(text), p(begin), depthLimit(limit), markUnread(markUnreadParts) {
    for (int c = 0; c < 128; ++c) asciiSpace[c] = CharacterFunctions::isWhitespace(static_cast<juce_wchar>(c));
  }

  PrescanResult Run() {
    SkipWhitespace();
    if (stopped) return result;
    if (std::strncmp(p, "<!DOCTYPE", 9) == 0) {
      Stop(PrescanVerdict::HasDoctype, "DOCTYPE declaration");
      return result;
    }
    const char* start = p;
    StartTagSeen root;
    StartTag tag = ReadStartTag(0, root);
    if (!stopped && tag != StartTag::None) DropUnreadAttributes(start, root, WalkPlace::Root, WalkPlace::Document);
    if (tag == StartTag::Open) open.push_back({WalkPlace::Root, 0});
    while (!open.empty() && !stopped) ReadChild();
    if (stopped) {
      result.cuts.clear();
    } else {
      result.verdict = PrescanVerdict::Parseable;
    }
    if (result.cuts.empty()) result.recheckAfterCuts = false;
    return result;
  }

 private:
  void Stop(PrescanVerdict verdict, const char* what) {
    if (stopped) return;
    stopped = true;
    result.verdict = verdict;
    result.problem = std::string(what) + " at byte " + std::to_string(static_cast<long long>(p - begin));
  }

  static juce_wchar CharAt(const char* q) {
    auto c = static_cast<unsigned char>(*q);
    return c < 0x80 ? static_cast<juce_wchar>(c) : *CharPointer_UTF8(q);
  }

  // The character after the one at q, stepping as the parser's character pointer does.
  static const char* Next(const char* q) {
    auto lead = static_cast<unsigned char>(*q++);
    if (lead & 0x80)
      for (unsigned char bit = 0x40; (lead & bit) != 0 && bit > 0x8; bit = static_cast<unsigned char>(bit >> 1)) ++q;
    return q;
  }

  bool IsSpace(const char* q) const {
    auto c = static_cast<unsigned char>(*q);
    return c < 0x80 ? asciiSpace[c] : CharacterFunctions::isWhitespace(CharAt(q));
  }

  // Characters the parser accepts in tag and attribute names.
  static bool IsNameChar(const char* q) {
    auto c = static_cast<unsigned char>(*q);
    if (c < 0x80) return markup::Is(*q, markup::kNameChar);
    juce_wchar wide = CharAt(q);
    return wide >= 160 && CharacterFunctions::isLetterOrDigit(wide);
  }

  static const char* EndOfName(const char* q) {
    for (;;) {
      q = markup::SkipAll(q, markup::kNameChar);
      if (!markup::Is(*q, markup::kBeyondAscii) || !IsNameChar(q)) return q;
      q = Next(q);
    }
  }

  // The parser's whitespace skip, which also passes over comments and processing instructions.
  void SkipWhitespace() {
    // The common case, ASCII blanks before anything but markup, without the full loop.
    auto c = static_cast<unsigned char>(*p);
    while (c < 0x80 && asciiSpace[c]) c = static_cast<unsigned char>(*++p);
    if (c < 0x80 && c != 0 && (c != '<' || (p[1] != '!' && p[1] != '?'))) return;
    SkipWhitespaceAndMarkup();
  }

  void SkipWhitespaceAndMarkup() {
    for (;;) {
      while (IsSpace(p)) p = Next(p);
      if (*p == 0) return Stop(PrescanVerdict::Malformed, "unexpected end of document");
      if (*p != '<') return;
      if (p[1] == '!' && p[2] == '-' && p[3] == '-') {
        p += 4;
        const char* close = std::strstr(p, "-->");
        if (close == nullptr) return Stop(PrescanVerdict::Malformed, "unterminated comment");
        p = close + 3;
        ++markupSkipped;
      } else if (p[1] == '?') {
        p += 2;
        const char* close = std::strstr(p, "?>");
        if (close == nullptr) return Stop(PrescanVerdict::Malformed, "unterminated processing instruction");
        p = close + 2;
        ++markupSkipped;
        if (!open.empty()) result.recheckAfterCuts = true;
      } else {
        return;
      }
    }
  }

  // An entity reference, p at '&'. Sets *isMarkup when the parser would read the reference's
  // text as elements.
  void ReadEntity(bool* isMarkup) {
    ++p;
    static const char* const named[] = {"amp;", "quot;", "apos;", "lt;", "gt;"};
    for (const char* name : named) {
      auto length = static_cast<int>(std::strlen(name));
      CharPointer_UTF8 text(p);
      if (text.compareIgnoreCaseUpTo(CharPointer_ASCII(name), length) == 0) {
        p = (text + length).getAddress();
        return;
      }
    }
    if (*p == '#') {
      ++p;
      if (*p == 'x' || *p == 'X') {
        ++p;
        int digits = 0;
        while (*p != ';') {
          if (CharacterFunctions::getHexDigitValue(CharAt(p)) < 0 || ++digits > 8) break;
          p = Next(p);
        }
        // The parser steps over the character that ended the escape, even the terminator.
        if (*p == 0) return Stop(PrescanVerdict::Malformed, "escape at the end of the text");
        p = Next(p);
      } else if (*p >= '0' && *p <= '9') {
        int digits = 0;
        while (*p != 0 && *p != ';' && ++digits <= 12) p = Next(p);
        if (*p != 0) p = Next(p);
      } else {
        LookedAhead(p, 0);  // the parser gives up at this character, leaving it to the text
      }
      return;
    }
    const char* semicolon = std::strchr(p, ';');
    if (semicolon == nullptr) return Stop(PrescanVerdict::Malformed, "entity without ';'");
    if (isMarkup != nullptr) *isMarkup = *p == '<' && semicolon - p >= 2;
    p = semicolon + 1;
  }

  // A quoted attribute value, p at the quote. In valid UTF-8 no byte of a longer character
  // equals a quote, '&' or NUL, so the value's bytes are searched rather than stepped through.
  void SkipQuotedString() {
    const char quote = *p++;
    const uint8_t stops = quote == '"' ? markup::kDoubleQuoteStop : markup::kSingleQuoteStop;
    for (;;) {
      p = markup::FindFirst(p, stops);
      if (*p == 0) return Stop(PrescanVerdict::Malformed, "unmatched quotes");
      if (*p == quote) {
        ++p;
        return;
      }
      ++referencesRead;
      ReadEntity(nullptr);
      if (stopped) return;
    }
  }

  // A start tag with its attributes, for an element inside `openCount` open elements.
  StartTag ReadStartTag(int openCount, StartTagSeen& seen) {
    SkipWhitespace();
    if (stopped || *p != '<') return StartTag::None;
    ++p;
    const char* nameEnd = EndOfName(p);
    if (nameEnd == p) {
      seen.plain = false;
      SkipWhitespace();
      if (stopped) return StartTag::None;
      nameEnd = EndOfName(p);
      if (nameEnd == p) {
        LookedAhead(p, BytesLookedAtBeyond(p));
        return StartTag::None;
      }
    }
    int level = openCount + 1;
    result.maxDepth = std::max(result.maxDepth, level);
    if (level > depthLimit) {
      Stop(PrescanVerdict::TooDeep, "element nested deeper than the limit");
      return StartTag::None;
    }
    seen.facts.tag = std::string_view(p, static_cast<size_t>(nameEnd - p));
    p = nameEnd;
    attributes.clear();
    const int markupBefore = markupSkipped, referencesBefore = referencesRead;
    StartTag ending = StartTag::Childless;
    for (;;) {
      const char* beforeAttribute = p;
      SkipWhitespace();
      if (stopped) return StartTag::None;
      if (p[0] == '/' && p[1] == '>') {
        p += 2;
        break;
      }
      if (*p == '>') {
        seen.gt = p++;
        ending = StartTag::Open;
        break;
      }
      if (!IsNameChar(p)) return GivenUp(seen);
      const char* attributeName = p;
      p = EndOfName(p);
      const std::string_view name(attributeName, static_cast<size_t>(p - attributeName));
      SkipWhitespace();
      if (stopped) return StartTag::None;
      const char separator = *p;
      p = Next(p);
      if (separator != '=') return GivenUp(seen);
      SkipWhitespace();
      if (stopped) return StartTag::None;
      if (*p != '"' && *p != '\'') return GivenUp(seen);
      const char* value = p + 1;
      SkipQuotedString();
      if (stopped) return StartTag::None;
      if (name == "name" && !seen.facts.hasName) {
        seen.facts.hasName = true;
        seen.facts.name = std::string_view(value, static_cast<size_t>(p - 1 - value));
      }
      if (markUnread) attributes.push_back({beforeAttribute, p, name});
    }
    if (markupSkipped != markupBefore || referencesRead != referencesBefore) seen.plain = false;
    return ending;
  }

  // A start tag the parser stops reading early: the element gets no children, and what follows
  // is read as its parent's content.
  StartTag GivenUp(StartTagSeen& seen) {
    seen.plain = false;
    LookedAhead(p, BytesLookedAtBeyond(p));
    return StartTag::Childless;
  }

  // How far past q the parser looked when it stopped at q: the '>' that would make "/>", or the
  // "--" that would make "<!--".
  static size_t BytesLookedAtBeyond(const char* q) {
    if (q[0] == '/') return 1;
    return q[0] == '<' && q[1] == '!' && q[2] == '-' ? 3 : 0;
  }

  // The parser has looked at the bytes from q to q + count while deciding what came before them.
  // An element starting there stays: without it, the parser would see other bytes and could
  // decide otherwise ("/<X/>>" ends a tag once X is gone, "<![CD<X/>ATA[" becomes CDATA).
  void LookedAhead(const char* q, size_t count) {
    firstCuttable = std::max(firstCuttable, static_cast<size_t>(q - begin) + count + 1);
  }

  // Elements starting before q are never left out.
  void KeepElementsBefore(const char* q) { firstCuttable = std::max(firstCuttable, static_cast<size_t>(q - begin)); }

  // True when markup starting at q may be left out or changed.
  bool MayCut(const char* q) const { return markUnread && static_cast<size_t>(q - begin) >= firstCuttable; }

  // One step through the children of the innermost open element.
  void ReadChild() {
    const char* beforeWhitespace = p;
    const int markupBefore = markupSkipped;
    SkipWhitespace();
    if (stopped) return;
    if (*p == '<') {
      // Blanks before markup are passed over by the parser and kept in no element.
      if (p != beforeWhitespace && markupSkipped == markupBefore && MayCut(beforeWhitespace))
        Cut(beforeWhitespace, p, false);
      if (p[1] == '/') {
        const char* close = std::strchr(p, '>');
        if (close == nullptr) return Stop(PrescanVerdict::Malformed, "close tag without '>'");
        p = close + 1;
        open.pop_back();
        return;
      }
      if (p[1] == '!') {
        if (std::strncmp(p + 2, "[CDATA[", 7) == 0) {
          p += 9;
          const char* close = std::strstr(p, "]]>");
          if (close == nullptr) return Stop(PrescanVerdict::Malformed, "unterminated CDATA section");
          p = close + 3;
          return;
        }
        LookedAhead(p, 8);
      }
      ReadElement();
      return;
    }
    // The parser reads text from where its whitespace skip began. When that skip passed a
    // processing instruction the text run ends at once, and the parser would repeat this step
    // forever.
    p = beforeWhitespace;
    ReadText();
    if (!stopped && p == beforeWhitespace) Stop(PrescanVerdict::Malformed, "processing instruction followed by text");
  }

  // A child element, p at its '<': opens it, or passes over it when it is left out.
  void ReadElement() {
    const char* start = p;
    const int level = static_cast<int>(open.size()) + 1;
    StartTagSeen seen;
    StartTag tag = ReadStartTag(level - 1, seen);
    if (stopped) return;
    if (tag == StartTag::None) {
      open.pop_back();
      return;
    }
    OpenElement& parent = open.back();
    WalkPlace place = markUnread ? PlaceOfChild(parent.place, seen.facts, parent.children) : WalkPlace::Kept;
    ++parent.children;
    DropUnreadAttributes(start, seen, place, parent.place);
    if (!ContentIsRead(place) && seen.plain && MayCut(start)) {
      if (tag == StartTag::Childless) {
        if (place == WalkPlace::Unread) Cut(start, p, false);
        return;
      }
      PlainContent content = ScanPlainContent(p);
      if (content.end != nullptr && level + content.levels <= depthLimit) {
        result.maxDepth = std::max(result.maxDepth, level + content.levels);
        if (place == WalkPlace::Unread)
          Cut(start, content.end, false);
        else
          Cut(seen.gt, content.end, true);
        p = content.end;
        return;
      }
      // Whatever starts before the point where the plain scan ended is read as it stands, so that
      // no stretch of the text is scanned for plain markup twice.
      KeepElementsBefore(content.end != nullptr ? content.end : content.stop);
    }
    if (tag == StartTag::Open) open.push_back({place, 0});
  }

  // Leaves out the attributes of a plain start tag that the walk never reads, blanks before them
  // included; those it reads keep their order and their positions among themselves.
  void DropUnreadAttributes(const char* start, const StartTagSeen& seen, WalkPlace place, WalkPlace parent) {
    if (attributes.empty() || !seen.plain || !MayCut(start)) return;
    const AttributesRead read = AttributesReadAt(place, parent);
    if (read == AttributesRead::All) return;
    bool nameKept = false, valueKept = false;
    for (size_t i = 0; i < attributes.size(); ++i) {
      const AttributeSpan& attribute = attributes[i];
      bool keep = false;
      if (read == AttributesRead::FirstTwo) {
        keep = i < 2;
      } else if (read != AttributesRead::None && attribute.name == "name" && !nameKept) {
        keep = nameKept = true;
      } else if (read == AttributesRead::NameAndValue && attribute.name == "value" && !valueKept) {
        keep = valueKept = true;
      }
      if (keep) continue;
      // An attribute may follow a quoted value with no blank; the blanks before this one then stay, or the
      // tag name could run into the next attribute's name.
      Cut(IsNameChar(attribute.end) ? attribute.name.data() : attribute.begin, attribute.end, false);
    }
  }

  // Leaves out the text from `from` to `to`, or puts "/>" in its place; joins a cut that ends
  // where this one begins.
  void Cut(const char* from, const char* to, bool closesElement) {
    const size_t first = static_cast<size_t>(from - begin), last = static_cast<size_t>(to - begin);
    if (!closesElement && !result.cuts.empty() && result.cuts.back().end == first &&
        !result.cuts.back().closesElement) {
      result.cuts.back().end = last;
      return;
    }
    result.cuts.push_back({first, last, closesElement});
  }

  // A run of character data up to the next markup that is not a comment.
  void ReadText() {
    for (;;) {
      if (*p == '<') {
        if (p[1] != '!' || p[2] != '-' || p[3] != '-') return;
        p += 4;
        const char* close = std::strstr(p, "-->");
        if (close == nullptr) return Stop(PrescanVerdict::Malformed, "unterminated comment");
        p = close + 3;
      } else if (*p == 0) {
        return Stop(PrescanVerdict::Malformed, "unexpected end of document");
      } else if (*p == '&') {
        bool isMarkup = false;
        ReadEntity(&isMarkup);
        if (stopped) return;
        if (isMarkup) return Stop(PrescanVerdict::Malformed, "markup inside an entity reference");
      } else {
        p = markup::FindFirst(p, markup::kTextStop);
      }
    }
  }

  const char* begin;
  const char* p;
  int depthLimit;
  bool markUnread;
  bool stopped = false;
  int markupSkipped = 0;   // comments and instructions passed by the whitespace skip
  int referencesRead = 0;  // references met in attribute values
  size_t firstCuttable = 0;  // byte offset before which no element is left out
  std::vector<OpenElement> open;
  std::vector<AttributeSpan> attributes;  // of the start tag read last, when unread parts are marked
  bool asciiSpace[128];
  PrescanResult result;
};

}  // namespace

PrescanResult PrescanXml(const char* text, int depthLimit, bool markUnread) {
  return Prescanner(text, depthLimit, markUnread).Run();
}

PrescanResult PrescanXml(const juce::String& text, int depthLimit, bool markUnread) {
  return PrescanXml(text.toRawUTF8(), depthLimit, markUnread);
}

size_t ApplyCutsInPlace(char* text, size_t length, const std::vector<TextCut>& cuts) {
  size_t written = 0, from = 0;
  for (const TextCut& cut : cuts) {
    std::memmove(text + written, text + from, cut.begin - from);
    written += cut.begin - from;
    if (cut.closesElement) {
      text[written++] = '/';
      text[written++] = '>';
    }
    from = cut.end;
  }
  std::memmove(text + written, text + from, length - from);
  written += length - from;
  text[written] = 0;
  return written;
}

std::string ApplyCuts(const juce::String& text, const std::vector<TextCut>& cuts) {
  std::string reduced(text.toRawUTF8());
  reduced.resize(ApplyCutsInPlace(reduced.data(), reduced.size(), cuts));
  return reduced;
}
