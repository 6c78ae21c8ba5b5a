#include "glsupport/debug_output.h"

#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace glsupport {

void ReportMessage(const std::string& text) {
#if defined(_WIN32)
  OutputDebugStringA(text.c_str());
  OutputDebugStringA("\n");
#endif
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace glsupport
