#include "presets/xml_prescan.h"

#include <algorithm>
#include <cstring>

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

// Follows the parser's grammar step by step over the UTF-8 bytes, stepping from character to
// character as the parser does and testing characters with the same functions. Every place where
// the parser would run out of text, or would never advance, stops the pass as malformed, so that
// no unterminated construct reaches the parser.
class Prescanner {
 public:
  Prescanner(const juce::String& text, int limit) : begin(text.toRawUTF8()), p(begin), depthLimit(limit) {
    for (int c = 0; c < 128; ++c) {
      asciiSpace[c] = CharacterFunctions::isWhitespace(static_cast<juce_wchar>(c));
      asciiName[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                     c == '-' || c == ':' || c == '.';
    }
  }

  PrescanResult Run() {
    SkipWhitespace();
    if (stopped) return result;
    if (std::strncmp(p, "<!DOCTYPE", 9) == 0) {
      Stop(PrescanVerdict::HasDoctype, "DOCTYPE declaration");
      return result;
    }
    int depth = 0;
    if (ReadStartTag(depth) == StartTag::Open) depth = 1;
    while (depth > 0 && !stopped) ReadChild(depth);
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
  bool IsNameChar(const char* q) const {
    auto c = static_cast<unsigned char>(*q);
    if (c < 0x80) return asciiName[c];
    juce_wchar wide = CharAt(q);
    return wide >= 160 && CharacterFunctions::isLetterOrDigit(wide);
  }

  const char* EndOfName(const char* q) const {
    while (IsNameChar(q)) q = Next(q);
    return q;
  }

  // The parser's whitespace skip, which also passes over comments and processing instructions.
  void SkipWhitespace() {
    for (;;) {
      while (IsSpace(p)) p = Next(p);
      if (*p == 0) return Stop(PrescanVerdict::Malformed, "unexpected end of document");
      if (*p != '<') return;
      if (p[1] == '!' && p[2] == '-' && p[3] == '-') {
        p += 4;
        const char* close = std::strstr(p, "-->");
        if (close == nullptr) return Stop(PrescanVerdict::Malformed, "unterminated comment");
        p = close + 3;
      } else if (p[1] == '?') {
        p += 2;
        const char* close = std::strstr(p, "?>");
        if (close == nullptr) return Stop(PrescanVerdict::Malformed, "unterminated processing instruction");
        p = close + 2;
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
      }
      return;
    }
    const char* semicolon = std::strchr(p, ';');
    if (semicolon == nullptr) return Stop(PrescanVerdict::Malformed, "entity without ';'");
    if (isMarkup != nullptr) *isMarkup = *p == '<' && semicolon - p >= 2;
    p = semicolon + 1;
  }

  // A quoted attribute value, p at the quote.
  void SkipQuotedString() {
    const char quote = *p++;
    for (;;) {
      if (*p == 0) return Stop(PrescanVerdict::Malformed, "unmatched quotes");
      if (*p == quote) {
        ++p;
        return;
      }
      if (*p == '&') {
        ReadEntity(nullptr);
        if (stopped) return;
        continue;
      }
      while (*p != quote && *p != '&' && *p != 0) p = Next(p);
    }
  }

  // A start tag with its attributes, for an element inside `openCount` open elements.
  StartTag ReadStartTag(int openCount) {
    SkipWhitespace();
    if (stopped || *p != '<') return StartTag::None;
    ++p;
    const char* nameEnd = EndOfName(p);
    if (nameEnd == p) {
      SkipWhitespace();
      if (stopped) return StartTag::None;
      nameEnd = EndOfName(p);
      if (nameEnd == p) return StartTag::None;
    }
    int level = openCount + 1;
    result.maxDepth = std::max(result.maxDepth, level);
    if (level > depthLimit) {
      Stop(PrescanVerdict::TooDeep, "element nested deeper than the limit");
      return StartTag::None;
    }
    p = nameEnd;
    for (;;) {
      SkipWhitespace();
      if (stopped) return StartTag::None;
      if (p[0] == '/' && p[1] == '>') {
        p += 2;
        return StartTag::Childless;
      }
      if (*p == '>') {
        ++p;
        return StartTag::Open;
      }
      if (!IsNameChar(p)) return StartTag::Childless;
      p = EndOfName(p);
      SkipWhitespace();
      if (stopped) return StartTag::None;
      const char separator = *p;
      p = Next(p);
      if (separator != '=') return StartTag::Childless;
      SkipWhitespace();
      if (stopped) return StartTag::None;
      if (*p != '"' && *p != '\'') return StartTag::Childless;
      SkipQuotedString();
      if (stopped) return StartTag::None;
    }
  }

  // One step through the children of the innermost open element; depth counts open elements.
  void ReadChild(int& depth) {
    const char* beforeWhitespace = p;
    SkipWhitespace();
    if (stopped) return;
    if (*p == '<') {
      if (p[1] == '/') {
        const char* close = std::strchr(p, '>');
        if (close == nullptr) return Stop(PrescanVerdict::Malformed, "close tag without '>'");
        p = close + 1;
        --depth;
        return;
      }
      if (p[1] == '!' && std::strncmp(p + 2, "[CDATA[", 7) == 0) {
        p += 9;
        const char* close = std::strstr(p, "]]>");
        if (close == nullptr) return Stop(PrescanVerdict::Malformed, "unterminated CDATA section");
        p = close + 3;
        return;
      }
      StartTag tag = ReadStartTag(depth);
      if (stopped) return;
      if (tag == StartTag::None) --depth;
      if (tag == StartTag::Open) ++depth;
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
        p += std::strcspn(p, "<&");
      }
    }
  }

  const char* begin;
  const char* p;
  int depthLimit;
  bool stopped = false;
  bool asciiSpace[128];
  bool asciiName[128];
  PrescanResult result;
};

}  // namespace

PrescanResult PrescanXml(const juce::String& text, int depthLimit) {
  return Prescanner(text, depthLimit).Run();
}
