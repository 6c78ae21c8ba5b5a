// Finding the host's newest Advanced Output preset under the documents folder, with the documents folder one the
// test builds (HOME, or under wine the shell, names it).
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "presets/preset_discovery.h"
#include "tests/support/preset_files.h"
#include "tools/caller/documents_folder.h"

namespace {

using testsupport::Names;
using testsupport::OneSlicePreset;
using testsupport::PathOf;
using testsupport::SetWriteTime;
using testsupport::WriteFile;

// File names in the order the file system lists them.
std::vector<std::string> ListingOrder(const juce::File& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(PathOf(folder)), error))
    names.push_back(entry.path().filename().u8string());
  return names;
}

class DiscoveryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(documents.valid()) << documents.error(); }

  juce::File Home() const { return juce::File(juce::String::fromUTF8(documents.Home().c_str())); }
  juce::File Documents() const { return Home().getChildFile("Documents"); }
  juce::File PresetFolder(const std::string& hostFolder) const {
    return Documents().getChildFile(hostFolder).getChildFile("Presets").getChildFile("Advanced Output");
  }
  juce::File MakeHost(const std::string& hostFolder) const {
    juce::File folder = PresetFolder(hostFolder);
    EXPECT_TRUE(folder.createDirectory().wasOk());
    return folder;
  }

  caller::DocumentsFolder documents;  // the documents folder the reader finds while the test runs
  OutputSetup setup;
};

// ---- choosing the newest file ----

TEST_F(DiscoveryTest, NewestFileWinsAndTheFirstListedWinsATie) {
  juce::File folder = MakeHost("Host");
  const std::vector<std::pair<std::string, int64_t>> files = {{"a.xml", 100}, {"b.xml", 300}, {"c.xml", 300}};
  for (const auto& file : files) WriteFile(folder.getChildFile(file.first), OneSlicePreset(file.first), file.second);

  // The expected winner follows the order in which this file system lists the folder.
  std::vector<std::string> listed = ListingOrder(folder);
  ASSERT_EQ(listed.size(), 3u);
  int expectedIndex = -1;
  for (int i = 0; i < 3; ++i)
    if (listed[static_cast<size_t>(i)] != "a.xml" && expectedIndex < 0) expectedIndex = i;

  std::string chosen = FindNewestPreset(setup, PathOf(folder), "*.xml");
  EXPECT_EQ(chosen, PathOf(folder.getChildFile(listed[static_cast<size_t>(expectedIndex)])));
  EXPECT_EQ(setup.newestIndex, expectedIndex);
  EXPECT_EQ(setup.newestTime, 300000);

  // All equally old: the first listed.
  for (const auto& file : files) SetWriteTime(folder.getChildFile(file.first), 50);
  EXPECT_EQ(FindNewestPreset(setup, PathOf(folder), "*.xml"), PathOf(folder.getChildFile(listed[0])));
  EXPECT_EQ(setup.newestIndex, 0);
  EXPECT_EQ(setup.newestTime, 50000);
}

TEST_F(DiscoveryTest, OnlyMatchingFilesDirectlyInTheFolderCount) {
  juce::File folder = MakeHost("Host");
  WriteFile(folder.getChildFile("real.xml"), OneSlicePreset("real"), 100);
  WriteFile(folder.getChildFile("notes.txt"), "newer, but not a preset", 900);
  WriteFile(folder.getChildFile("older presets").getChildFile("deep.xml"), OneSlicePreset("deep"), 900);
  juce::File directory = folder.getChildFile("folder.xml");
  ASSERT_TRUE(directory.createDirectory().wasOk());
  SetWriteTime(directory, 900);
  EXPECT_EQ(FindNewestPreset(setup, PathOf(folder), "*.xml"), PathOf(folder.getChildFile("real.xml")));
  EXPECT_EQ(setup.newestTime, 100000);
}

TEST_F(DiscoveryTest, NoMatchingFileKeepsTheNewestFields) {
  juce::File folder = MakeHost("Host");
  setup.newestTime = 1234;
  setup.newestIndex = 7;
  EXPECT_EQ(FindNewestPreset(setup, PathOf(folder), "*.xml"), "");
  EXPECT_EQ(FindNewestPreset(setup, PathOf(folder.getChildFile("missing")), "*.xml"), "");
  EXPECT_EQ(setup.newestTime, 1234);
  EXPECT_EQ(setup.newestIndex, 7);
}

#if !defined(_WIN32)
// POSIX only: a dangling symbolic link is the file whose attributes cannot be read.
TEST_F(DiscoveryTest, FileWhoseAttributesCannotBeReadCountsAsTimeZero) {
  juce::File folder = MakeHost("Host");
  juce::File broken = folder.getChildFile("broken.xml");
  ASSERT_EQ(symlink("/nonexistent/target.xml", broken.getFullPathName().toRawUTF8()), 0);
  EXPECT_EQ(FindNewestPreset(setup, PathOf(folder), "*.xml"), PathOf(broken));
  EXPECT_EQ(setup.newestTime, 0);
  WriteFile(folder.getChildFile("real.xml"), OneSlicePreset("real"), 1);
  EXPECT_EQ(FindNewestPreset(setup, PathOf(folder), "*.xml"), PathOf(folder.getChildFile("real.xml")));
  // The refresh hands the unreadable file to the reader, which leaves the list alone.
  folder.getChildFile("real.xml").deleteFile();
  RefreshPreset(setup);
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::NoFile);
}
#endif

// ---- refreshing ----

TEST_F(DiscoveryTest, RefreshReadsTheNewestAndReadsAgainOnlyWhenItChanges) {
  juce::File folder = MakeHost("Host");
  WriteFile(folder.getChildFile("one.xml"), OneSlicePreset("One"), 100);
  RefreshPreset(setup);
  EXPECT_EQ(Names(setup), "[Screen] | One");
  EXPECT_EQ(setup.readStatus.file, PathOf(folder.getChildFile("one.xml")));

  WriteFile(folder.getChildFile("old.xml"), OneSlicePreset("Old"), 50);
  RefreshPreset(setup);
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Unchanged);

  WriteFile(folder.getChildFile("three.xml"), OneSlicePreset("Three"), 200);  // saved in the host
  RefreshPreset(setup);
  EXPECT_EQ(Names(setup), "[Screen] | Three");
  EXPECT_EQ(setup.loadedTime, 200000);

  WriteFile(folder.getChildFile("three.xml"), OneSlicePreset("Three again"), 250);  // saved over
  RefreshPreset(setup);
  EXPECT_EQ(Names(setup), "[Screen] | Three again");

  SetWriteTime(folder.getChildFile("one.xml"), 240);  // touched, still older
  RefreshPreset(setup);
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Unchanged);
  EXPECT_EQ(Names(setup), "[Screen] | Three again");

  for (const char* name : {"one.xml", "old.xml", "three.xml"}) ASSERT_TRUE(folder.getChildFile(name).deleteFile());
  RefreshPreset(setup);
  EXPECT_EQ(Names(setup), "[Screen] | Three again");
  EXPECT_EQ(setup.newestTime, 250000);
}

TEST_F(DiscoveryTest, FirstRefreshReadsAPresetWrittenAtTimeZero) {
  juce::File preset = MakeHost("Host").getChildFile("epoch.xml");
  WriteFile(preset, OneSlicePreset("Epoch"), 100);
  ASSERT_TRUE(caller::SetWriteTime(PathOf(preset), 0));
  RefreshPreset(setup);
  EXPECT_EQ(setup.newestTime, 0);
  EXPECT_EQ(Names(setup), "[Screen] | Epoch");
  RefreshPreset(setup);
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Unchanged);
}

TEST_F(DiscoveryTest, WithoutPresetFolderNothingChanges) {
  RefreshPreset(setup);  // no documents folder at all
  ASSERT_TRUE(Documents().getChildFile("Host").getChildFile("Presets").createDirectory().wasOk());
  RefreshPreset(setup);  // a host folder without "Advanced Output"
  EXPECT_TRUE(setup.firstLoad);
  EXPECT_TRUE(setup.slices.empty());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::NoPresetFolder);

  MakeHost("Host");  // now there, but empty: the reader gets an empty path
  RefreshPreset(setup);
  EXPECT_FALSE(setup.firstLoad);
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::NoFile);
}

// ---- choosing the host folder ----

TEST_F(DiscoveryTest, FirstHostFolderByBytesWithBothSubfoldersIsUsed) {
  ASSERT_TRUE(Documents().getChildFile("Alpha").getChildFile("Presets").createDirectory().wasOk());
  WriteFile(Documents().getChildFile("Aardvark").getChildFile("Presets"), "a file, not a folder", 100);
  WriteFile(MakeHost("beta").getChildFile("b.xml"), OneSlicePreset("from beta"), 900);
  WriteFile(MakeHost("Zeta").getChildFile("z.xml"), OneSlicePreset("from Zeta"), 100);
  // "Zeta" sorts before "beta" byte by byte, though not when letter case is ignored.
  EXPECT_EQ(FindPresetFolder(PathOf(Documents())), PathOf(PresetFolder("Zeta")));
  RefreshPreset(setup);
  EXPECT_EQ(Names(setup), "[Screen] | from Zeta");
  EXPECT_EQ(FindPresetFolder(PathOf(Documents().getChildFile("missing"))), "");
}

#if !defined(_WIN32)
// POSIX only: the desktop's user-dirs file names the documents folder on Linux.
TEST_F(DiscoveryTest, DocumentsFolderComesFromTheUserDirsFile) {
  juce::File german = Home().getChildFile("Dokumente");
  WriteFile(Home().getChildFile(".config").getChildFile("user-dirs.dirs"),
            "# written by the desktop\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", 100);
  ASSERT_TRUE(german.getChildFile("Host").getChildFile("Presets").getChildFile("Advanced Output").createDirectory().wasOk());
  WriteFile(german.getChildFile("Host/Presets/Advanced Output/p.xml"), OneSlicePreset("Dokumente"), 100);
  WriteFile(MakeHost("Host").getChildFile("p.xml"), OneSlicePreset("Documents"), 900);
  RefreshPreset(setup);
  EXPECT_EQ(Names(setup), "[Screen] | Dokumente");
}
#endif

TEST_F(DiscoveryTest, RememberedHostFolderIsLeftWhenItLosesItsPresets) {
  WriteFile(MakeHost("First").getChildFile("p.xml"), OneSlicePreset("first"), 100);
  WriteFile(MakeHost("Second").getChildFile("p.xml"), OneSlicePreset("second"), 200);
  RefreshPreset(setup);
  EXPECT_EQ(Names(setup), "[Screen] | first");
  EXPECT_EQ(setup.memory.presetFolder, PathOf(PresetFolder("First")));

  ASSERT_TRUE(PresetFolder("First").deleteRecursively());
  RefreshPreset(setup);
  EXPECT_EQ(Names(setup), "[Screen] | second");

  // With another documents folder the remembered folder is kept while it exists ...
  caller::DocumentsFolder other;
  ASSERT_TRUE(other.valid()) << other.error();
  juce::File otherDocuments(juce::String::fromUTF8(other.Documents().c_str()));
  WriteFile(otherDocuments.getChildFile("Other/Presets/Advanced Output/p.xml"), OneSlicePreset("other"), 300);
  RefreshPreset(setup);
  EXPECT_EQ(Names(setup), "[Screen] | second");
  // ... unless it is named: then it is searched afresh.
  OutputSetup named = setup;
  RefreshPresetIn(named, PathOf(otherDocuments));
  EXPECT_EQ(Names(named), "[Screen] | other");
  // Once the remembered folder is gone, the new documents folder is looked up.
  ASSERT_TRUE(PresetFolder("Second").deleteRecursively());
  RefreshPreset(setup);
  EXPECT_EQ(Names(setup), "[Screen] | other");
}

}  // namespace
