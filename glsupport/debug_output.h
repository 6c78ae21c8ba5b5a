// Platform seam for the product's only messages: text to the debugger output and to standard output.
#pragma once

#include <string>

namespace glsupport {

// Sends text and then a line feed to the debugger output (Windows only), then writes text and a line
// feed to standard output and flushes it.
void ReportMessage(const std::string& text);

}  // namespace glsupport
