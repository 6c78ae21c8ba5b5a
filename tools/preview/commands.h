// The preview tool's commands; each returns the process exit code.
#pragma once

#include <string>

namespace preview {

// Prints what a host sees of the module: identity, texts and number of parameters.
int RunInfo(const std::string& modulePath);

}  // namespace preview
