// Fuzz target: arbitrary bytes reach the preset reader through a file, as a host-written preset
// would. Besides crashes, sanitizer reports and stalls, it checks that the pre-scan predicts the
// depth of every tree the parser builds, that parsing only the parts the walk reads fails or
// reads exactly as parsing the whole text does, that the list read is well formed, and that the
// start of the input, read as a coordinate, comes out as the library's number reader reads it,
// bit for bit.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "presets/coordinate_text.h"
#include "presets/preset_document.h"
#include "presets/preset_reader.h"
#include "presets/preset_text.h"
#include "presets/slice_walk.h"
#include "tests/support/checks.h"
#include "tests/support/library_reading.h"

namespace {

std::string& ScratchPath() {
  static std::string path;
  return path;
}

void RemoveScratchFile() { std::remove(ScratchPath().c_str()); }

int TreeDepth(const juce::XmlElement& root) {
  int deepest = 0;
  std::vector<std::pair<const juce::XmlElement*, int>> pending = {{&root, 1}};
  while (!pending.empty()) {
    auto [element, level] = pending.back();
    pending.pop_back();
    deepest = std::max(deepest, level);
    for (auto* child = element->getFirstChildElement(); child != nullptr; child = child->getNextElement())
      if (!child->isTextElement()) pending.emplace_back(child, level + 1);
  }
  return deepest;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  testsupport::checks::AbortOnFailure();
  ScratchPath() = juce::File::getSpecialLocation(juce::File::tempDirectory)
                      .getChildFile("mosaro-preset-fuzz-" + juce::String(static_cast<int>(getpid())) + ".xml")
                      .getFullPathName()
                      .toStdString();
  std::atexit(RemoveScratchFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(ScratchPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  OutputSetup setup;
  ReadPreset(setup, ScratchPath());

  LoadedDocument direct = ParsePresetBytes(data, size);
  CHECK_MSG((setup.readStatus.outcome == ReadOutcome::Read) == (direct.root != nullptr),
        "reading through the file and from the bytes disagree");
  // The decoded text is the library decoder's, but for overlong forms made shortest and surrogate pairs joined.
  if (const auto decoded = testsupport::LibraryDecoding(data, size))
    CHECK_MSG(DecodePresetText(data, size) == *decoded, "the text decodes otherwise than the library decodes it");
  LoadedDocument whole = ParsePresetBytes(data, size, ParseScope::WholeText);
  if (whole.root)
    CHECK_MSG(TreeDepth(*whole.root) == whole.prescanDepth, "the pre-scan and the parser disagree on depth");
  CHECK_MSG(direct.outcome == whole.outcome && direct.detail == whole.detail,
        "the walked parts and the whole text parse differently");
  if (whole.root)
    CHECK_MSG(CollectSlices(*direct.root) == CollectSlices(*whole.root), "the walked parts read other slices");
  if (setup.readStatus.outcome != ReadOutcome::Read)
    CHECK_MSG(setup.slices.empty(), "a failed first read left entries");
  const juce::String number = DecodePresetText(data, std::min<size_t>(size, 48)).dropLastCharacters(1);
  const float own = ParseCoordinate(number), library = testsupport::ParseCoordinateByLibrary(number);
  CHECK_MSG(std::memcmp(&own, &library, sizeof own) == 0, "a coordinate reads otherwise than the library reads it");
  for (const SliceRecord& record : setup.slices) {
    for (int corner = 0; corner < 4; ++corner) {
      const SlicePoint points[2] = {record.inputRect[corner], record.outputRect[corner]};
      for (const SlicePoint& point : points) {
        CHECK_MSG(std::isfinite(point.x) && std::isfinite(point.y), "a coordinate is not finite");
        if (record.IsScreenEntry()) CHECK_MSG(point.x == 0.0f && point.y == 0.0f, "a screen entry has coordinates");
      }
    }
    if (record.IsScreenEntry()) CHECK_MSG(record.sliceName.empty(), "a screen entry has a slice name");
  }
  return 0;
}
