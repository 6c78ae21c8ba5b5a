// Reading one Advanced Output preset file into an OutputSetup, only when it changed.
#pragma once

#include <string>

#include "presets/output_setup.h"

// Reads `file` (full path, may be empty) into setup.slices unless the newest preset time is the
// one last read and the list is not empty. The list is replaced only by a document that parsed;
// a file that does not parse or is refused leaves the list and loadedTime as they were. A refused
// file is not read again until its last-write time changes; a file holding the bytes the list was
// read from is not parsed again. setup.readStatus tells what happened.
void ReadPreset(OutputSetup& setup, const std::string& file);
