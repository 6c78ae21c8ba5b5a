#include "presets/read_status.h"

const char* ReadOutcomeName(ReadOutcome outcome) {
  switch (outcome) {
    case ReadOutcome::NotRun: return "not read";
    case ReadOutcome::NoPresetFolder: return "no preset folder";
    case ReadOutcome::Read: return "read";
    case ReadOutcome::Unchanged: return "unchanged";
    case ReadOutcome::NoFile: return "no file";
    case ReadOutcome::ParseFailed: return "parse failed";
    case ReadOutcome::TooLarge: return "refused: too large";
    case ReadOutcome::TooDeep: return "refused: too deep";
    case ReadOutcome::HasDoctype: return "refused: declares a DTD";
  }
  return "unknown";
}

std::string DescribeReadStatus(const PresetReadStatus& status) {
  std::string text = ReadOutcomeName(status.outcome);
  if (!status.detail.empty()) text += " (" + status.detail + ")";
  return text;
}

bool IsRefusal(ReadOutcome outcome) {
  return outcome == ReadOutcome::TooLarge || outcome == ReadOutcome::TooDeep || outcome == ReadOutcome::HasDoctype;
}
