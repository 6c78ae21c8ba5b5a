#include "presets/plain_markup.h"

#include <cstring>

namespace {

bool IsPlainSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

const char* SkipPlainSpace(const char* p) {
  while (IsPlainSpace(*p)) ++p;
  return p;
}

// A start tag, p at '<': returns the position after it, or null when it is not plain.
const char* ScanPlainStartTag(const char* p, bool* open) {
  ++p;
  if (!IsAsciiNameChar(*p)) return nullptr;
  while (IsAsciiNameChar(*p)) ++p;
  for (;;) {
    p = SkipPlainSpace(p);
    if (*p == '>') {
      *open = true;
      return p + 1;
    }
    if (p[0] == '/' && p[1] == '>') {
      *open = false;
      return p + 2;
    }
    if (!IsAsciiNameChar(*p)) return nullptr;
    while (IsAsciiNameChar(*p)) ++p;
    p = SkipPlainSpace(p);
    if (*p != '=') return nullptr;
    p = SkipPlainSpace(p + 1);
    if (*p != '"' && *p != '\'') return nullptr;
    const char* close = std::strchr(p + 1, *p);
    if (close == nullptr || std::memchr(p + 1, '&', static_cast<size_t>(close - p - 1)) != nullptr) return nullptr;
    p = close + 1;
  }
}

}  // namespace

bool IsAsciiNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == ':' || c == '.';
}

PlainContent ScanPlainContent(const char* p) {
  PlainContent result;
  int open = 1;  // the element itself
  for (;;) {
    p += std::strcspn(p, "<&");
    if (*p != '<') break;
    if (p[1] == '/') {
      // The parser closes the element at the next '>', whatever stands between.
      const char* close = std::strchr(p, '>');
      if (close == nullptr) break;
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
