// The slice records the reader makes of a preset written by the preset writer, for exact comparisons.
#pragma once

#include <vector>

#include "presets/output_setup.h"
#include "tests/support/preset_writer.h"

namespace testsupport {

// The list the reader makes of the screens: screen entries and slices in listing order, corners stored
// top-left, top-right, bottom-left, bottom-right.
inline std::vector<SliceRecord> ListedRecords(const std::vector<PresetScreen>& screens) {
  std::vector<SliceRecord> records;
  for (const ListedEntry& entry : ListedEntries(screens)) {
    SliceRecord record;
    record.screenName = entry.screenName;
    record.sliceName = entry.sliceName;
    if (!record.IsScreenEntry()) {
      const PresetCorners* rects[2] = {&entry.input, &entry.output};
      SlicePoint* stored[2] = {record.inputRect, record.outputRect};
      for (int r = 0; r < 2; ++r) {
        const PresetPoint corners[4] = {rects[r]->topLeft, rects[r]->topRight, rects[r]->bottomLeft,
                                        rects[r]->bottomRight};
        for (int c = 0; c < 4; ++c) stored[r][c] = {corners[c].x, corners[c].y};
      }
    }
    records.push_back(record);
  }
  return records;
}

}  // namespace testsupport
