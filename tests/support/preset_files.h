// Helpers for the preset tests: scratch folders, files with chosen last-write times, small
// preset documents and exact comparisons of slice records.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include <juce_core/juce_core.h>

#include "presets/output_setup.h"
#include "tests/support/preset_writer.h"
#include "tools/caller/documents_folder.h"
#include "tools/caller/temp_folder.h"

namespace testsupport {

// A new empty folder of its own under the temporary folder (made atomically, so that test programs
// running side by side never share one), deleted with everything in it at the end.
class ScratchFolder {
 public:
  ScratchFolder() : folder(juce::String::fromUTF8(scratch.path().u8string().c_str())) {
    if (!scratch.valid()) ADD_FAILURE() << "cannot make a scratch folder";
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const juce::File& path() const { return folder; }
  std::string str() const { return folder.getFullPathName().toStdString(); }

 private:
  caller::TempFolder scratch;
  juce::File folder;
};

inline std::string PathOf(const juce::File& file) { return file.getFullPathName().toStdString(); }

// Writes the bytes (creating parent folders) and sets the last-write time in whole seconds,
// the resolution the file times have here.
inline void WriteFile(const juce::File& file, const std::string& bytes, int64_t seconds) {
  ASSERT_TRUE(file.getParentDirectory().createDirectory().wasOk());
  ASSERT_TRUE(file.replaceWithData(bytes.data(), bytes.size()));
  ASSERT_TRUE(caller::SetWriteTime(PathOf(file), seconds * 1000));
}

// Sets the last-write time of a file or a folder, in whole seconds.
inline void SetWriteTime(const juce::File& file, int64_t seconds) {
  ASSERT_TRUE(caller::SetWriteTime(PathOf(file), seconds * 1000));
}

inline std::string FixturePath(const std::string& name) {
  return std::string(MOSARO_TEST_DATA) + "/presets/" + name;
}

// A fixture's bytes as they are in the file.
inline std::string ReadFixture(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(caller::ReadBytes(std::filesystem::u8path(FixturePath(name)), bytes)) << name;
  return bytes;
}

// A preset as the host writes it, with one screen "Screen" holding one slice named `sliceName`, input
// rectangle (0,0)-(x,10) and output rectangle (0,0)-(20,20).
inline std::string OneSlicePreset(const std::string& sliceName, int x = 10) {
  const testsupport::PresetSlice slice{sliceName, testsupport::Box(0, 0, static_cast<float>(x), 10),
                                       testsupport::Box(0, 0, 20, 20)};
  testsupport::PresetStyle style;
  style.markup = testsupport::PresetMarkup::Host;
  return testsupport::PresetXml({{"Screen", {slice}}}, style);
}

// The slice names of the list, screen entries written as "[screen]".
inline std::string Names(const OutputSetup& setup) {
  std::string text;
  for (const SliceRecord& record : setup.slices) {
    if (!text.empty()) text += " | ";
    text += record.IsScreenEntry() ? "[" + record.screenName + "]" : record.sliceName;
  }
  return text;
}

// Exact comparison of one record's rectangles, corners in stored order.
inline void ExpectRects(const SliceRecord& record, const float (&input)[8], const float (&output)[8]) {
  for (int corner = 0; corner < 4; ++corner) {
    EXPECT_EQ(record.inputRect[corner].x, input[2 * corner]) << "input corner " << corner;
    EXPECT_EQ(record.inputRect[corner].y, input[2 * corner + 1]) << "input corner " << corner;
    EXPECT_EQ(record.outputRect[corner].x, output[2 * corner]) << "output corner " << corner;
    EXPECT_EQ(record.outputRect[corner].y, output[2 * corner + 1]) << "output corner " << corner;
  }
}

// A screen entry: the name set, the slice name empty and all sixteen coordinates 0.
inline void ExpectScreenEntry(const SliceRecord& record, const std::string& screenName) {
  EXPECT_EQ(record.screenName, screenName);
  EXPECT_EQ(record.sliceName, "");
  static const float zeros[8] = {};
  ExpectRects(record, zeros, zeros);
}

}  // namespace testsupport
