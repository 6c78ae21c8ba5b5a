#include "presets/xml_prescan.h"

#include <algorithm>

namespace {

using juce::CharacterFunctions;
using juce::CharPointer_ASCII;
using juce_wchar = juce::juce_wchar;

// Characters the parser accepts in tag and attribute names.
bool IsNameChar(juce_wchar c) {
  if (c < 160)
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == ':' || c == '.';
  return CharacterFunctions::isLetterOrDigit(c);
}

// How a start tag ended.
enum class StartTag {
  None,       // no element here: the enclosing element ends
  Childless,  // "/>", or a tag the parser gives up on: no children are read
  Open,       // ">": the element's children follow
};

// Follows the parser's grammar step by step. Every place where the parser would run out of text
// stops the pass as malformed, so that no unterminated construct reaches the parser.
class Prescanner {
 public:
  Prescanner(const juce::String& text, int limit) : begin(text.getCharPointer()), input(begin), depthLimit(limit) {}

  PrescanResult Run() {
    SkipWhitespace();
    if (stopped) return result;
    if (CharacterFunctions::compareUpTo(input, CharPointer_ASCII("<!DOCTYPE"), 9) == 0) {
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
    auto offset = static_cast<long long>(input.getAddress() - begin.getAddress());
    result.problem = std::string(what) + " at byte " + std::to_string(offset);
  }

  // The parser's whitespace skip, which also passes over comments and processing instructions.
  void SkipWhitespace() {
    for (;;) {
      input.incrementToEndOfWhitespace();
      if (input.isEmpty()) return Stop(PrescanVerdict::Malformed, "unexpected end of document");
      if (*input == '<') {
        if (input[1] == '!' && input[2] == '-' && input[3] == '-') {
          input += 4;
          int close = input.indexOf(CharPointer_ASCII("-->"));
          if (close < 0) return Stop(PrescanVerdict::Malformed, "unterminated comment");
          input += close + 3;
          continue;
        }
        if (input[1] == '?') {
          input += 2;
          int close = input.indexOf(CharPointer_ASCII("?>"));
          if (close < 0) return Stop(PrescanVerdict::Malformed, "unterminated processing instruction");
          input += close + 2;
          continue;
        }
      }
      return;
    }
  }

  juce_wchar ReadNextChar() {
    juce_wchar c = input.getAndAdvance();
    if (c == 0) {
      --input;
      Stop(PrescanVerdict::Malformed, "unexpected end of document");
    }
    return c;
  }

  // An entity reference, input at '&'. Sets *isMarkup when the parser would read the
  // reference's text as elements.
  void ReadEntity(bool* isMarkup) {
    ++input;
    static const char* const named[] = {"amp;", "quot;", "apos;", "lt;", "gt;"};
    for (const char* name : named) {
      int length = static_cast<int>(std::char_traits<char>::length(name));
      if (input.compareIgnoreCaseUpTo(CharPointer_ASCII(name), length) == 0) {
        input += length;
        return;
      }
    }
    if (*input == '#') {
      ++input;
      if (*input == 'x' || *input == 'X') {
        ++input;
        int digits = 0;
        while (input[0] != ';') {
          if (CharacterFunctions::getHexDigitValue(input[0]) < 0 || ++digits > 8) break;
          ++input;
        }
        // The parser steps over the character that ended the escape, even the terminator.
        if (input.isEmpty()) return Stop(PrescanVerdict::Malformed, "escape at the end of the text");
        ++input;
      } else if (input[0] >= '0' && input[0] <= '9') {
        int digits = 0;
        for (;;) {
          juce_wchar c = input[0];
          if (c == 0) return;
          if (c == ';' || ++digits > 12) break;
          ++input;
        }
        ++input;
      }
      return;
    }
    int semicolon = input.indexOf(static_cast<juce_wchar>(';'));
    if (semicolon < 0) return Stop(PrescanVerdict::Malformed, "entity without ';'");
    if (isMarkup) *isMarkup = *input == '<' && semicolon >= 2;
    input += semicolon + 1;
  }

  // A quoted attribute value, input at the quote.
  void SkipQuotedString() {
    juce_wchar quote = ReadNextChar();
    while (!stopped) {
      juce_wchar c = ReadNextChar();
      if (stopped || c == quote) return;
      --input;
      if (c == '&') {
        ReadEntity(nullptr);
        continue;
      }
      for (;;) {
        juce_wchar ch = *input;
        if (ch == quote) {
          ++input;
          return;
        }
        if (ch == '&') break;
        if (ch == 0) return Stop(PrescanVerdict::Malformed, "unmatched quotes");
        ++input;
      }
    }
  }

  juce::String::CharPointerType EndOfName(juce::String::CharPointerType p) const {
    while (IsNameChar(*p)) ++p;
    return p;
  }

  // A start tag with its attributes, for an element inside `openCount` open elements.
  StartTag ReadStartTag(int openCount) {
    SkipWhitespace();
    if (stopped || *input != '<') return StartTag::None;
    ++input;
    auto nameEnd = EndOfName(input);
    if (nameEnd == input) {
      SkipWhitespace();
      if (stopped) return StartTag::None;
      nameEnd = EndOfName(input);
      if (nameEnd == input) return StartTag::None;
    }
    int level = openCount + 1;
    result.maxDepth = std::max(result.maxDepth, level);
    if (level > depthLimit) {
      Stop(PrescanVerdict::TooDeep, "element nested deeper than the limit");
      return StartTag::None;
    }
    input = nameEnd;
    for (;;) {
      SkipWhitespace();
      if (stopped) return StartTag::None;
      juce_wchar c = *input;
      if (c == '/' && input[1] == '>') {
        input += 2;
        return StartTag::Childless;
      }
      if (c == '>') {
        ++input;
        return StartTag::Open;
      }
      if (!IsNameChar(c)) return StartTag::Childless;
      input = EndOfName(input);
      SkipWhitespace();
      if (stopped) return StartTag::None;
      juce_wchar next = ReadNextChar();
      if (stopped || next != '=') return StartTag::Childless;
      SkipWhitespace();
      if (stopped) return StartTag::None;
      if (*input != '"' && *input != '\'') return StartTag::Childless;
      SkipQuotedString();
      if (stopped) return StartTag::None;
    }
  }

  // One step through the children of the innermost open element; depth counts open elements.
  void ReadChild(int& depth) {
    auto beforeWhitespace = input;
    SkipWhitespace();
    if (stopped) return;
    if (*input == '<') {
      juce_wchar second = input[1];
      if (second == '/') {
        int close = input.indexOf(static_cast<juce_wchar>('>'));
        if (close < 0) return Stop(PrescanVerdict::Malformed, "close tag without '>'");
        input += close + 1;
        --depth;
        return;
      }
      if (second == '!' && CharacterFunctions::compareUpTo(input + 2, CharPointer_ASCII("[CDATA["), 7) == 0) {
        input += 9;
        for (;;) {
          juce_wchar c = *input;
          if (c == 0) return Stop(PrescanVerdict::Malformed, "unterminated CDATA section");
          if (c == ']' && input[1] == ']' && input[2] == '>') {
            input += 3;
            return;
          }
          ++input;
        }
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
    input = beforeWhitespace;
    ReadText();
    if (!stopped && input == beforeWhitespace)
      Stop(PrescanVerdict::Malformed, "processing instruction followed by text");
  }

  // A run of character data up to the next markup that is not a comment.
  void ReadText() {
    for (;;) {
      juce_wchar c = *input;
      if (c == '<') {
        if (input[1] == '!' && input[2] == '-' && input[3] == '-') {
          input += 4;
          int close = input.indexOf(CharPointer_ASCII("-->"));
          if (close < 0) return Stop(PrescanVerdict::Malformed, "unterminated comment");
          input += close + 3;
          continue;
        }
        return;
      }
      if (c == 0) return Stop(PrescanVerdict::Malformed, "unexpected end of document");
      if (c == '&') {
        bool isMarkup = false;
        ReadEntity(&isMarkup);
        if (stopped) return;
        if (isMarkup) return Stop(PrescanVerdict::Malformed, "markup inside an entity reference");
        continue;
      }
      while (*input != '<' && *input != '&' && *input != 0) ++input;
    }
  }

  juce::String::CharPointerType begin;
  juce::String::CharPointerType input;
  int depthLimit;
  bool stopped = false;
  PrescanResult result;
};

}  // namespace

PrescanResult PrescanXml(const juce::String& text, int depthLimit) {
  return Prescanner(text, depthLimit).Run();
}
