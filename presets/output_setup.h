// The imported Advanced Output preset: screen entries and slices, and the fields that drive re-reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "presets/read_status.h"

// A point in pixels, y growing downwards.
struct SlicePoint {
  float x = 0.0f;
  float y = 0.0f;
};

// One entry of the slice list: a screen entry (screenName set, all points 0) or a slice.
struct SliceRecord {
  SlicePoint inputRect[4];   // top-left, top-right, bottom-left, bottom-right, composition pixels
  SlicePoint outputRect[4];  // same order, output pixels
  std::string sliceName;
  std::string screenName;

  bool IsScreenEntry() const { return !screenName.empty(); }
};

// Equal in all four fields, every coordinate exactly.
inline bool operator==(const SliceRecord& a, const SliceRecord& b) {
  for (int corner = 0; corner < 4; ++corner)
    if (a.inputRect[corner].x != b.inputRect[corner].x || a.inputRect[corner].y != b.inputRect[corner].y ||
        a.outputRect[corner].x != b.outputRect[corner].x || a.outputRect[corner].y != b.outputRect[corner].y)
      return false;
  return a.sliceName == b.sliceName && a.screenName == b.screenName;
}

// What the import remembers between calls so that a refresh does no needless work.
struct PresetImportMemory {
  std::string documentsFolder;  // documents folder of the last folder search
  std::string presetFolder;     // the "Advanced Output" folder found in it; empty when none
  PresetReadStatus refusal;     // the last file refused without parsing, and why
  int64_t refusedTime = 0;      // its last-write time (ms) when it was refused
  bool hasReadBytes = false;    // the slice list was read from a file, whose bytes follow
  uint64_t readHash = 0;        // hash of those bytes: the same bytes again are not parsed again
  size_t readSize = 0;          // their number
};

// The imported preset of one effect instance.
struct OutputSetup {
  std::vector<SliceRecord> slices;
  int64_t newestTime = 0;   // last-write time (ms since 1970 UTC) of the newest preset found
  int32_t newestIndex = 0;  // its position in the folder listing
  int64_t loadedTime = 0;   // newestTime at the last read
  bool firstLoad = true;
  PresetReadStatus readStatus;  // what the last read or refresh did
  PresetImportMemory memory;    // found folder, refused file and bytes last read, kept between refreshes
};
