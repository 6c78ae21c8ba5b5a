#include "glsupport/gl_version.h"

namespace glsupport {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of digits at text, advancing it; -1 when there is none or it does not fit.
int ReadNumber(const char*& text) {
  if (!IsDigit(*text)) return -1;
  int value = 0;
  for (; IsDigit(*text); ++text) {
    if (value > 1000) return -1;
    value = value * 10 + (*text - '0');
  }
  return value;
}
}  // namespace

int ParseGlVersion(const char* versionText) {
  if (versionText == nullptr) return 0;
  const char* text = versionText;
  while (*text != '\0' && !IsDigit(*text)) ++text;
  int major = ReadNumber(text);
  if (major < 0 || *text != '.') return 0;
  ++text;
  int minor = ReadNumber(text);
  if (minor < 0) return 0;
  return major * 10 + minor;
}

}  // namespace glsupport
