// The documents folder the module searches for the host's presets, as the frame host prepares it.
#pragma once

#include <filesystem>

namespace frames {

// Windows: the shell's documents folder (the module finds it the same way). Linux: Documents in a fresh
// temporary HOME, set for this process before the module is loaded. Empty on failure.
std::filesystem::path PrepareDocumentsFolder();

// Removes the temporary HOME on Linux; nothing on Windows (the test prefix is thrown away).
void ReleaseDocumentsFolder();

}  // namespace frames
