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
#include "tests/support/library_number.h"

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

// The library decodes UTF-16 unit by unit, each half of a surrogate pair a character of its own; the
// reader takes a pair as the one character it stands for.
juce::String WithSurrogatePairsJoined(const juce::String& text) {
  std::vector<juce::juce_wchar> characters;
  for (auto p = text.getCharPointer(); !p.isEmpty();) {
    juce::juce_wchar c = p.getAndAdvance();
    if (c >= 0xD800 && c < 0xDC00 && *p >= 0xDC00 && *p < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (p.getAndAdvance() - 0xDC00);
    characters.push_back(c);
  }
  characters.push_back(0);
  return juce::String(juce::CharPointer_UTF32(characters.data()));
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
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
  Check((setup.readStatus.outcome == ReadOutcome::Read) == (direct.root != nullptr),
        "reading through the file and from the bytes disagree");
  // The decoded text is the library decoder's, but for overlong forms made shortest and surrogate pairs joined.
  if (size != 3 || data[0] != 0xEF) {
    juce::String decoded = juce::String::createStringFromData(data, static_cast<int>(size)) + "\n";
    const bool utf16 = size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF));
    if (utf16) decoded = WithSurrogatePairsJoined(decoded);
    if (!HasOverlongForms(decoded.toRawUTF8()))
      Check(DecodePresetText(data, size) == decoded, "the text decodes otherwise than the library decodes it");
  }
  LoadedDocument whole = ParsePresetBytes(data, size, ParseScope::WholeText);
  if (whole.root) Check(TreeDepth(*whole.root) == whole.prescanDepth, "the pre-scan and the parser disagree on depth");
  Check(direct.outcome == whole.outcome && direct.detail == whole.detail,
        "the walked parts and the whole text parse differently");
  if (whole.root) Check(CollectSlices(*direct.root) == CollectSlices(*whole.root), "the walked parts read other slices");
  if (setup.readStatus.outcome != ReadOutcome::Read) Check(setup.slices.empty(), "a failed first read left entries");
  const juce::String number = DecodePresetText(data, std::min<size_t>(size, 48)).dropLastCharacters(1);
  const float own = ParseCoordinate(number), library = testsupport::ParseCoordinateByLibrary(number);
  Check(std::memcmp(&own, &library, sizeof own) == 0, "a coordinate reads otherwise than the library reads it");
  for (const SliceRecord& record : setup.slices) {
    for (int corner = 0; corner < 4; ++corner) {
      const SlicePoint points[2] = {record.inputRect[corner], record.outputRect[corner]};
      for (const SlicePoint& point : points) {
        Check(std::isfinite(point.x) && std::isfinite(point.y), "a coordinate is not finite");
        if (record.IsScreenEntry()) Check(point.x == 0.0f && point.y == 0.0f, "a screen entry has coordinates");
      }
    }
    if (record.IsScreenEntry()) Check(record.sliceName.empty(), "a screen entry has a slice name");
  }
  return 0;
}
