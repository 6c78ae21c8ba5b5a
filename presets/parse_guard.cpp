#include "presets/parse_guard.h"

std::string TooLargeText() { return "larger than " + std::to_string(kMaxPresetBytes / (1024 * 1024)) + " MiB"; }
