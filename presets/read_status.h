// What the last preset read did: for diagnostics and the preview tool, and, for refused files,
// the memory that keeps ReadPreset from reading them again until they change.
#pragma once

#include <string>

// Outcome of the last ReadPreset (or of a refresh that found no preset folder).
enum class ReadOutcome {
  NotRun,          // no read has run yet
  NoPresetFolder,  // the refresh found no folder holding "Presets/Advanced Output"
  Read,            // the slice list is the file's: parsed, or known by its bytes from the last read
  Unchanged,       // the newest time matched the last read; the file was not opened
  NoFile,          // empty path, missing file, a directory, or a file that cannot be opened
  ParseFailed,     // the document did not parse; the slice list was kept
  TooLarge,        // refused without parsing: larger than the size limit
  TooDeep,         // refused without parsing: elements nested deeper than the limit
  HasDoctype,      // refused without parsing: the document declares a DTD
};

// The diagnostic status kept beside the OutputSetup.
struct PresetReadStatus {
  ReadOutcome outcome = ReadOutcome::NotRun;
  std::string file;    // the path the outcome is about (empty when there was none)
  std::string detail;  // what failed or was refused, and where; or a note on how the file was read
};

// Short fixed name of an outcome ("read", "parse failed", ...).
const char* ReadOutcomeName(ReadOutcome outcome);

// The outcome's name followed by its detail, if any ("parse failed: unmatched tags").
std::string DescribeReadStatus(const PresetReadStatus& status);

// True for the outcomes that refuse a file without parsing it.
bool IsRefusal(ReadOutcome outcome);
