#include "presets/markup_walker.h"

#include <cstring>

#include <juce_core/juce_core.h>

#include "presets/markup_chars.h"

namespace {

using juce::CharacterFunctions;
using juce::CharPointer_ASCII;
using juce::CharPointer_UTF8;
using juce_wchar = juce::juce_wchar;

// Steps from character to character as the parser's character pointer does and tests characters with the
// same functions. Every place where the parser would run out of text, or would never advance, stops the walk
// as malformed, so that no unterminated construct reaches the parser.
class MarkupWalker {
 public:
  MarkupWalker(const char* text, DepthGuard& depthGuard, MarkupListener* markupListener)
      : begin(text), p(text), guard(depthGuard), listener(markupListener) {
    for (int c = 0; c < 128; ++c) asciiSpace[c] = CharacterFunctions::isWhitespace(static_cast<juce_wchar>(c));
  }

  MarkupWalk Run() {
    SkipWhitespace();
    if (stopped) return walk;
    if (std::strncmp(p, "<!DOCTYPE", 9) == 0) {
      Stop(PrescanVerdict::HasDoctype, "DOCTYPE declaration");
      return walk;
    }
    // Nothing before the root can end an element: a start tag the parser does not take there ends the walk.
    if (ReadElement() && !stopped)
      while (openLevels > 0 && !stopped) ReadChild();
    if (!stopped) walk.verdict = PrescanVerdict::Parseable;
    return walk;
  }

 private:
  void Stop(PrescanVerdict verdict, const char* what) {
    if (stopped) return;
    stopped = true;
    walk.verdict = verdict;
    walk.problem = std::string(what) + " at byte " + std::to_string(static_cast<long long>(p - begin));
  }

  void Peeked(const char* at, size_t count) {
    if (listener != nullptr) listener->ParserPeeked(at, count);
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
        if (openLevels > 0) walk.instructionInsideRoot = true;
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
        Peeked(p, 0);  // the parser gives up at this character, leaving it to the text
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

  // How far past q the parser looks when it stops at q: the '>' that would make "/>", or the
  // "--" that would make "<!--".
  static size_t PeekLength(const char* q) {
    if (q[0] == '/') return 1;
    return q[0] == '<' && q[1] == '!' && q[2] == '-' ? 3 : 0;
  }

  // A start tag with its attributes, for an element at tag.level.
  void ReadStartTag(StartTagRead& tag) {
    SkipWhitespace();
    if (stopped || *p != '<') {
      tag.ending = StartTag::EndsParent;
      return;
    }
    tag.start = p++;
    const char* nameEnd = EndOfName(p);
    if (nameEnd == p) {
      tag.plain = false;
      SkipWhitespace();
      if (stopped) return;
      nameEnd = EndOfName(p);
      if (nameEnd == p) {
        Peeked(p, PeekLength(p));
        tag.ending = StartTag::EndsParent;
        return;
      }
    }
    if (!guard.Enter(tag.level)) return Stop(PrescanVerdict::TooDeep, "element nested deeper than the limit");
    tag.tag = std::string_view(p, static_cast<size_t>(nameEnd - p));
    p = nameEnd;
    attributes.clear();
    const int markupBefore = markupSkipped, referencesBefore = referencesRead;
    tag.ending = StartTag::Childless;
    for (;;) {
      const char* beforeAttribute = p;
      SkipWhitespace();
      if (stopped) return;
      if (p[0] == '/' && p[1] == '>') {
        p += 2;
        break;
      }
      if (*p == '>') {
        tag.gt = p++;
        tag.ending = StartTag::Open;
        break;
      }
      // A tag the parser stops reading early: the element gets no children, and what follows is read
      // as its parent's content.
      if (!IsNameChar(p)) return GiveUp(tag);
      const char* attributeName = p;
      p = EndOfName(p);
      const std::string_view name(attributeName, static_cast<size_t>(p - attributeName));
      SkipWhitespace();
      if (stopped) return;
      const char separator = *p;
      p = Next(p);
      if (separator != '=') return GiveUp(tag);
      SkipWhitespace();
      if (stopped) return;
      if (*p != '"' && *p != '\'') return GiveUp(tag);
      const char* value = p + 1;
      SkipQuotedString();
      if (stopped) return;
      if (listener != nullptr)
        attributes.push_back({beforeAttribute, p, name, std::string_view(value, static_cast<size_t>(p - 1 - value))});
    }
    if (markupSkipped != markupBefore || referencesRead != referencesBefore) tag.plain = false;
    tag.end = p;
  }

  void GiveUp(StartTagRead& tag) {
    tag.plain = false;
    Peeked(p, PeekLength(p));
    tag.end = p;
  }

  // An element, p before its '<': opens it, or passes over it when the listener has. False when there is
  // no element here.
  bool ReadElement() {
    StartTagRead tag;
    tag.level = openLevels + 1;
    tag.attributes = &attributes;
    ReadStartTag(tag);
    if (stopped || tag.ending == StartTag::EndsParent) return false;
    const char* resume = listener != nullptr ? listener->ElementStarted(tag) : nullptr;
    if (resume != nullptr) {
      p = resume;
    } else if (tag.ending == StartTag::Open) {
      ++openLevels;
    }
    return true;
  }

  void EndElement() {
    --openLevels;
    if (listener != nullptr) listener->ElementEnded();
  }

  // One step through the children of the innermost open element.
  void ReadChild() {
    const char* beforeWhitespace = p;
    const int markupBefore = markupSkipped;
    SkipWhitespace();
    if (stopped) return;
    if (*p == '<') {
      if (p != beforeWhitespace && markupSkipped == markupBefore && listener != nullptr)
        listener->BlanksBeforeMarkup(beforeWhitespace, p);
      if (p[1] == '/') {
        const char* close = std::strchr(p, '>');
        if (close == nullptr) return Stop(PrescanVerdict::Malformed, "close tag without '>'");
        p = close + 1;
        return EndElement();
      }
      if (p[1] == '!') {
        if (std::strncmp(p + 2, "[CDATA[", 7) == 0) {
          p += 9;
          const char* close = std::strstr(p, "]]>");
          if (close == nullptr) return Stop(PrescanVerdict::Malformed, "unterminated CDATA section");
          p = close + 3;
          return;
        }
        Peeked(p, 8);
      }
      if (!ReadElement() && !stopped) EndElement();
      return;
    }
    // The parser reads text from where its whitespace skip began. When that skip passed a
    // processing instruction the text run ends at once, and the parser would repeat this step
    // forever.
    p = beforeWhitespace;
    ReadText();
    if (!stopped && p == beforeWhitespace) Stop(PrescanVerdict::Malformed, "processing instruction followed by text");
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
  DepthGuard& guard;
  MarkupListener* listener;
  bool stopped = false;
  int openLevels = 0;
  int markupSkipped = 0;   // comments and instructions passed by the whitespace skip
  int referencesRead = 0;  // references met in attribute values
  std::vector<AttributeSpan> attributes;  // of the start tag read last, when there is a listener
  bool asciiSpace[128];
  MarkupWalk walk;
};

}  // namespace

MarkupWalk WalkMarkup(const char* text, DepthGuard& guard, MarkupListener* listener) {
  return MarkupWalker(text, guard, listener).Run();
}
