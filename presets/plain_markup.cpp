#include "presets/plain_markup.h"

#include "presets/markup_chars.h"

namespace {

using markup::FindFirst;
using markup::Is;
using markup::SkipAll;

// A start tag, p at '<': returns the position after it, or null when it is not plain.
const char* ScanPlainStartTag(const char* p, bool* open) {
  ++p;
  if (!Is(*p, markup::kNameChar)) return nullptr;
  p = SkipAll(p + 1, markup::kNameChar);
  for (;;) {
    p = SkipAll(p, markup::kPlainSpace);
    if (*p == '>') {
      *open = true;
      return p + 1;
    }
    if (p[0] == '/' && p[1] == '>') {
      *open = false;
      return p + 2;
    }
    if (!Is(*p, markup::kNameChar)) return nullptr;
    p = SkipAll(SkipAll(p + 1, markup::kNameChar), markup::kPlainSpace);
    if (*p != '=') return nullptr;
    p = SkipAll(p + 1, markup::kPlainSpace);
    const char quote = *p;
    if (quote != '"' && quote != '\'') return nullptr;
    // The value ends at its quote; a reference or the end of the text makes it not plain.
    p = FindFirst(p + 1, quote == '"' ? markup::kDoubleQuoteStop : markup::kSingleQuoteStop);
    if (*p != quote) return nullptr;
    ++p;
  }
}

}  // namespace

PlainContent ScanPlainContent(const char* p) {
  PlainContent result;
  int open = 1;  // the element itself
  for (;;) {
    p = FindFirst(p, markup::kTextStop);
    if (*p != '<') break;
    if (p[1] == '/') {
      // The parser closes the element at the next '>', whatever stands between.
      const char* close = p + 2;
      while (*close != '>' && *close != 0) ++close;
      if (*close == 0) break;
      p = close + 1;
      if (--open == 0) {
        result.end = p;
        return result;
      }
      continue;
    }
    bool opens = false;
    const char* after = ScanPlainStartTag(p, &opens);
    if (after == nullptr) break;
    if (open > result.levels) result.levels = open;
    if (opens) ++open;
    p = after;
  }
  result.stop = p;
  result.levels = 0;
  return result;
}
