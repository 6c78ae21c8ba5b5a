// Reading one Advanced Output preset: the walk of the document, the change test, and the files
// that must neither wipe the slice list nor reach the parser.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "presets/content_hash.h"
#include "presets/coordinate_text.h"
#include "presets/preset_document.h"
#include "presets/preset_reader.h"
#include "presets/preset_text.h"
#include "presets/slice_walk.h"
#include "tests/support/library_reading.h"
#include "tests/support/listed_records.h"
#include "tests/support/preset_files.h"
#include "tests/support/preset_writer.h"

namespace {

using testsupport::ExpectRects;
using testsupport::ExpectScreenEntry;
using testsupport::FixturePath;
using testsupport::Names;
using testsupport::OneSlicePreset;
using testsupport::PathOf;
using testsupport::ReadFixture;
using testsupport::ScratchFolder;
using testsupport::SetWriteTime;
using testsupport::WriteFile;

OutputSetup FirstRead(const std::string& path) {
  OutputSetup setup;
  ReadPreset(setup, path);
  return setup;
}

// Deepest element level of a parsed tree (root = 1).
int TreeDepth(const juce::XmlElement& element) {
  int deepest = 0;
  for (auto* child = element.getFirstChildElement(); child != nullptr; child = child->getNextElement())
    if (!child->isTextElement()) deepest = std::max(deepest, TreeDepth(*child));
  return deepest + 1;
}

std::string Nested(int levels, const std::string& open = "<d>", const std::string& close = "</d>") {
  std::string text = "<XmlState>";
  for (int i = 1; i < levels; ++i) text += open;
  for (int i = 1; i < levels; ++i) text += close;
  return text + "</XmlState>";
}

// ---- the walk of the document ----

TEST(PresetReader, HostPresetGivesScreenEntriesThenSlicesLastToFirst) {
  OutputSetup setup = FirstRead(FixturePath("host_preset.xml"));
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Read);
  ASSERT_EQ(setup.slices.size(), 6u) << Names(setup);
  ExpectScreenEntry(setup.slices[0], "Main Wall");
  EXPECT_EQ(setup.slices[1].sliceName, "Top <Strip> \"A\"");
  ExpectRects(setup.slices[1], {0, 540, 1920, 540, 0, 1080, 1920, 1080}, {0, 720, 2560, 720, 0, 1440, 2560, 1440});
  EXPECT_EQ(setup.slices[2].sliceName, "Rechts \xE2\x80\x93 B\xC3\xBChne");
  ExpectRects(setup.slices[2], {960, 0, 1920, 0, 960, 540, 1920, 540},
              {1280.5f, 0, 2560, 10.25f, 1290, 715.75f, 2550, 720});
  EXPECT_EQ(setup.slices[3].sliceName, "Left & Centre");
  ExpectRects(setup.slices[3], {0, 0, 960, 0, 0, 540, 960, 540}, {0, 0, 1280, 0, 0, 720, 1280, 720});
  ExpectScreenEntry(setup.slices[4], "LED Fa\xC3\xA7" "ade");
  EXPECT_EQ(setup.slices[5].sliceName, "Column 1");
  EXPECT_EQ(setup.slices[5].screenName, "");
  ExpectRects(setup.slices[5], {100, 200, 300, 200, 100, 600, 300, 600}, {0, 0, 64, 0, 0, 128, 64, 128});
}

TEST(PresetReader, MarkedTagsMatchInAnyCaseOthersExactlyAndFirstMatchWins) {
  OutputSetup setup = FirstRead(FixturePath("rules_case.xml"));
  ASSERT_EQ(Names(setup), "[Upper] | Kept");
  ExpectRects(setup.slices[1], {10, 11, 12, 13, 16, 17, 14, 15}, {20, 21, 22, 23, 26, 27, 24, 25});
}

TEST(PresetReader, CornersTakenFirstSecondFourthThirdWithAttributesByPosition) {
  OutputSetup setup = FirstRead(FixturePath("rules_points.xml"));
  ASSERT_EQ(Names(setup),
            "[Points] | five points, text between | number forms | attributes by position | clockwise corners");
  // Only element children count as points: text and CDATA between them are passed over.
  ExpectRects(setup.slices[1], {1, 1, 2, 2, 4, 4, 3, 3}, {6, 6, 7, 7, 9, 9, 8, 8});
  // Leading blanks skipped, trailing text ignored; text, NaN, infinities and values beyond the
  // float range give 0.
  ExpectRects(setup.slices[2], {12.5f, -300, 0, 7, 0, 0, 0.5f, 0}, {0, 0, 0, 0, 0.1f, 1, 3.4e38f, 0});
  // y written before x, a third attribute, other attribute names, a leading "name" attribute.
  ExpectRects(setup.slices[3], {2, 1, 3, 4, 7, 8, 5, 6}, {0, 9, 10, 11, 14, 15, 12, 13});
  ExpectRects(setup.slices[4], {1, 2, 3, 4, 7, 8, 5, 6}, {10, 20, 30, 40, 70, 80, 50, 60});
}

TEST(PresetReader, CommonAndNameFoundByFirstNameAttributeExactly) {
  OutputSetup setup = FirstRead(FixturePath("rules_names.xml"));
  // The slice whose "Common" block is only near-miss spellings adds no record.
  ASSERT_EQ(setup.slices.size(), 5u) << Names(setup);
  ExpectScreenEntry(setup.slices[0], "Names");
  EXPECT_EQ(setup.slices[1].sliceName, "\xF0\x9F\x8E\xAC \xC3\x9Cn\xC3\xAF" "c\xC3\xB8" "d\xC3\xA9 & <tags> \xE2\x82\xAC");
  EXPECT_EQ(setup.slices[2].sliceName, "");  // "Common" without a "Name" entry
  EXPECT_EQ(setup.slices[2].inputRect[0].x, 3.0f);
  EXPECT_EQ(setup.slices[3].sliceName, "exact");          // first "value" attribute
  EXPECT_EQ(setup.slices[4].sliceName, "second Common");  // first "name" attribute was "Other"
  for (const SliceRecord& record : setup.slices) EXPECT_EQ(record.IsScreenEntry(), &record == &setup.slices[0]);
}

TEST(PresetReader, ExponentsTooLongForTheNumberParserGiveZero) {
  // The parser gathers the exponent in an int: 4294967297 would wrap around to 1 and read as 10.
  struct Case {
    const char* text;
    float value;
  };
  for (const Case& c : {Case{"1e99999999999", 0}, Case{"-1e-99999999999", 0}, Case{"  7.5E+1234567890123", 0},
                        Case{"0e999999999", 0}, Case{"1e00000000000000001", 10}, Case{"-2.5e+000000003", -2500},
                        Case{"1e-00000000045", 1e-45f}, Case{"3e38", 3e38f}, Case{"1e99999999", 0},
                        Case{"1.2.3e9999999999", 1.2f}, Case{"e9999999999", 0}, Case{"5x1e9999999999", 5},
                        Case{"1e4294967297", 0}, Case{"1e-4294967295", 0}})
    EXPECT_EQ(ParseCoordinate(juce::String(c.text)), c.value) << c.text;
}

TEST(PresetReader, NumberFormsReadAsTheLibraryReadsThem) {
  // The reader's own reading gives exactly what the library's number reader gives in its standard build,
  // signed zeros included, on every platform. The library's MinGW build reads numbers by another method
  // (it keeps the sign of "-0" and digits past the 18th after the point), so there the reading is held to
  // the same values and to the digest of the random texts' values alone.
  struct Case {
    const char* text;
    float value;
  };
  const Case cases[] = {
      {" \t\n\r-3e2", -300}, {"\v5", 5}, {"+5", 5}, {"+.5", 0.5f}, {"5.", 5}, {"-.25", -0.25f}, {"007", 7},
      {"1e", 1}, {"1e+", 1}, {"2E-1", 0.2f}, {"1e0001", 10}, {"0x10", 0}, {"+-5", 0}, {"- 5", 0}, {"1.5.5", 1.5f},
      {"e5", 0}, {".", 0}, {"-", 0}, {"", 0}, {"5\xE2\x82\xAC", 5}, {"\xC2\xA0" "5", 0},
      // The library keeps 18 digits: after the point the others are dropped, before it counted.
      {"123456789012345678", 123456789012345678.0f}, {"0.000000000000000001", 1e-18f},
      {"0.0000000000000000001", 0}, {"1234567890123456789012", 1234567890123456789012.0f},
      {"1e-308", 0}, {"-2e-308", -0.0f}, {"-1e-309", -0.0f}, {"1e308", 0}, {"1e309", 0}, {"-1e310", 0},
      {"1e-00000045", 1e-45f}, {"3.4028235e38", 0}, {"1e123456789", 0},
      // Rounded to a double first, then to a float: not the float nearest to the text.
      {"1.0000000596046448", 1.0f},
      {"-0", 0}, {"-0.0", -0.0f}, {"-0e5", 0}, {"-0e-400", -0.0f}, {"-1e-320", -0.0f}};
  auto bits = [](float value) {
    uint32_t word;
    std::memcpy(&word, &value, sizeof word);
    return word;
  };
  for (const Case& c : cases) {
    const juce::String text = juce::String::fromUTF8(c.text);
    EXPECT_EQ(bits(ParseCoordinate(text)), bits(c.value)) << c.text;
#if !JUCE_MINGW
    EXPECT_EQ(bits(ParseCoordinate(text)), bits(testsupport::ParseCoordinateByLibrary(text))) << c.text;
#endif
  }
  // Texts made of number characters at random, against the library's reading.
  const char alphabet[] = "0000111599..--++eEEx \t";
  uint32_t state = 12345;
  uint64_t digest = 14695981039346656037ull;  // FNV-1a over the bytes of the values read
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    for (int length = static_cast<int>(state >> 28); length >= 0; --length) {
      state = state * 1664525u + 1013904223u;
      text += alphabet[(state >> 24) % (sizeof alphabet - 1)];
    }
    state = state * 1664525u + 1013904223u;
    if ((state >> 30) == 0) text += std::string(static_cast<size_t>(state >> 20 & 31), '0');
    const juce::String number(text);
    const uint32_t own = bits(ParseCoordinate(number));
    for (int byte = 0; byte < 4; ++byte) digest = (digest ^ (own >> (8 * byte) & 0xFF)) * 1099511628211ull;
#if !JUCE_MINGW
    ASSERT_EQ(own, bits(testsupport::ParseCoordinateByLibrary(number))) << "\"" << text << "\"";
#endif
  }
  EXPECT_EQ(digest, 0x895548819f062004ull) << std::hex << digest;
}

TEST(PresetReader, EveryChangedByteChangesTheHashOfTheBytes) {
  // The hash is XXH3's: xxHash's published sanity vectors (seed 0), over its generated test buffer, from the
  // empty input through each of the algorithm's length classes.
  std::string sanity(2367, '\0');
  uint64_t generator = 2654435761u;
  for (char& byte : sanity) {
    byte = static_cast<char>(generator >> 56);
    generator *= 11400714785074694797ull;
  }
  const std::pair<size_t, uint64_t> vectors[] = {
      {0, 0x2D06800538D394C2ull},    {1, 0xC44BDFF4074EECDBull},    {6, 0x27B56A84CD2D7325ull},
      {12, 0xA713DAF0DFBB77E7ull},   {24, 0xA3FE70BF9D3510EBull},   {48, 0x397DA259ECBA1F11ull},
      {80, 0xBCDEFBBB2C47C90Aull},   {195, 0xCD94217EE362EC3Aull},  {403, 0xCDEB804D65C6DEA4ull},
      {512, 0x617E49599013CB6Bull},  {2048, 0xDD59E2C3A5F038E0ull}, {2240, 0x6E73A90539CF2948ull},
      {2367, 0xCB37AEB9E5D361EDull}};
  for (const auto& [length, expected] : vectors) EXPECT_EQ(HashBytes(sanity.data(), length), expected) << length;
  // 100 bytes: every bit flipped, words swapped.
  std::string bytes(100, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>('a' + i % 26);
  const uint64_t hash = HashBytes(bytes.data(), bytes.size());
  EXPECT_EQ(HashBytes(std::string(bytes).data(), bytes.size()), hash);
  for (size_t at = 0; at < bytes.size(); ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      std::string changed = bytes;
      changed[at] = static_cast<char>(changed[at] ^ (1 << bit));
      ASSERT_NE(HashBytes(changed.data(), changed.size()), hash) << "byte " << at << ", bit " << bit;
    }
  }
  // Words swapped near and far, and one with the tail; more zeros.
  for (const auto& swap : {std::pair<size_t, size_t>{0, 32}, {0, 8}, {56, 88}}) {
    std::string swapped = bytes;
    for (size_t i = 0; i < 8; ++i) std::swap(swapped[swap.first + i], swapped[swap.second + i]);
    EXPECT_NE(HashBytes(swapped.data(), swapped.size()), hash) << swap.first << " and " << swap.second;
  }
  const std::string zeros(64, '\0');
  EXPECT_NE(HashBytes(zeros.data(), 63), HashBytes(zeros.data(), 64));
  EXPECT_NE(HashBytes(zeros.data(), 0), HashBytes(zeros.data(), 1));
}

TEST(PresetReader, ScreenEntryOnlyOnceASliceHasBothRectangles) {
  OutputSetup setup = FirstRead(FixturePath("rules_screens.xml"));
  ASSERT_EQ(Names(setup), "[Three] | third | second | first | [Only Uncommon] |  | on an unnamed screen");
  EXPECT_EQ(setup.slices[1].inputRect[0].x, 3.0f);
  EXPECT_EQ(setup.slices[3].outputRect[3].x, 1.0f);
  // An unnamed Screen still adds its entry, with an empty name and zero coordinates.
  ExpectScreenEntry(setup.slices[5], "");
  EXPECT_EQ(setup.slices[6].inputRect[2].x, 7.0f);
}

TEST(PresetReader, DocumentsWithoutTheExpectedElementsGiveAnEmptyList) {
  const char* documents[] = {
      "<XmlState/>",
      "<XmlState><versionInfo/></XmlState>",
      "<XmlState><ScreenSetup/></XmlState>",
      "<XmlState><ScreenSetup><screens><Screen name=\"S\"/></screens></ScreenSetup></XmlState>",
      "<XmlState><ScreenSetup><screens><Screen name=\"S\"><layers><Slice/></layers></Screen></screens>"
      "</ScreenSetup></XmlState>",
      // A root that is itself named ScreenSetup is not searched: only its children are.
      "<ScreenSetup><screens><Screen name=\"S\"><layers><Slice><InputRect/></Slice></layers></Screen></screens>"
      "</ScreenSetup>",
  };
  for (const char* document : documents) {
    LoadedDocument loaded = ParsePresetBytes(document, std::strlen(document));
    ASSERT_EQ(loaded.outcome, ReadOutcome::Read) << document;
    ScratchFolder folder;
    juce::File file = folder.path().getChildFile("p.xml");
    WriteFile(file, document, 100);
    OutputSetup setup = FirstRead(PathOf(file));
    EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Read) << document;
    EXPECT_TRUE(setup.slices.empty()) << document;
  }
}

TEST(PresetReader, TextEncodingsDecodeToUtf8Names) {
  std::string plain = OneSlicePreset("Caf\xC3\xA9");
  std::string withBom = "\xEF\xBB\xBF" + plain;
  std::string windows1252 = OneSlicePreset("Caf\xE9");  // not UTF-8: read as Windows-1252
  std::string utf16 = "\xFF\xFE";
  for (char c : OneSlicePreset("Caf\xC3\xA9")) {
    // Only the ASCII document and one two-byte character: enough for little-endian UTF-16.
    if (static_cast<unsigned char>(c) == 0xC3) continue;
    unsigned char byte = static_cast<unsigned char>(c) == 0xA9 ? 0xE9 : static_cast<unsigned char>(c);
    utf16 += static_cast<char>(byte);
    utf16 += '\0';
  }
  std::string zeroAfterRoot = plain + std::string(1, '\0') + "<junk";
  for (const std::string& bytes : {plain, withBom, windows1252, utf16, zeroAfterRoot}) {
    ScratchFolder folder;
    juce::File file = folder.path().getChildFile("p.xml");
    WriteFile(file, bytes, 100);
    OutputSetup setup = FirstRead(PathOf(file));
    ASSERT_EQ(setup.slices.size(), 2u) << DescribeReadStatus(setup.readStatus);
    EXPECT_EQ(setup.slices[1].sliceName, "Caf\xC3\xA9");
  }
}

// The preset writer of the tests, benchmarks and hosts writes what it is given, in every style it knows.
TEST(PresetReader, WhatThePresetWriterWritesReadsBackExactly) {
  using testsupport::Box;
  const std::vector<testsupport::PresetScreen> screens = {
      {"Wall & <Left> \"A\"", {{"Caf\xC3\xA9 \xE2\x80\x93 1", Box(0, 0, 960.5f, 540), Box(-10, 0.125f, 1e6f, 720)},
                             {"Turned", {{240, 180}, {480, 280}, {460, 328.75f}, {220, 228}}, Box(0, 0, 1, 1)}}},
      {"Empty", {}},
      {"B\xC3\xBChne \xF0\x9F\x8E\xAD", {{"", Box(1.5e-3f, 3, 4, 5), Box(0, 0, 0, 0)}}},
  };
  const std::vector<SliceRecord> expected = testsupport::ListedRecords(screens);
  ASSERT_EQ(expected.size(), 5u);
  ASSERT_EQ(testsupport::ListedRecords(testsupport::SliceGrid(30)).size(), 32u);
  for (auto markup : {testsupport::PresetMarkup::Bare, testsupport::PresetMarkup::Host,
                      testsupport::PresetMarkup::HostWithParameters, testsupport::PresetMarkup::LedWallTool}) {
    for (auto encoding : {testsupport::PresetEncoding::Utf8, testsupport::PresetEncoding::Utf8WithBom,
                          testsupport::PresetEncoding::Utf16LittleEndian}) {
      for (const char* indent : {"", "  ", "\t"}) {
        for (const char* lineEnd : {"\n", "\r\n"}) {
          testsupport::PresetStyle style;
          style.markup = markup;
          style.encoding = encoding;
          style.indented = *indent != 0;
          style.indent = indent;
          style.lineEnd = lineEnd;
          const std::string where = "markup " + std::to_string(static_cast<int>(markup)) + ", encoding " +
                                    std::to_string(static_cast<int>(encoding)) + ", indent \"" + indent + "\"" +
                                    (lineEnd[1] ? ", CR LF" : "");
          const std::string bytes = testsupport::PresetXml(screens, style);
          LoadedDocument document = ParsePresetBytes(bytes.data(), bytes.size());
          ASSERT_EQ(document.outcome, ReadOutcome::Read) << where << ": " << document.detail;
          EXPECT_TRUE(CollectSlices(*document.root) == expected) << where;
          const std::string grid = testsupport::PresetXml(testsupport::SliceGrid(30), style);
          LoadedDocument gridDocument = ParsePresetBytes(grid.data(), grid.size());
          ASSERT_EQ(gridDocument.outcome, ReadOutcome::Read) << where;
          EXPECT_TRUE(CollectSlices(*gridDocument.root) == testsupport::ListedRecords(testsupport::SliceGrid(30)))
              << where;
        }
      }
    }
  }
}

TEST(PresetReader, PrescanDepthEqualsTheParsedTreeDepth) {
  for (const char* name : {"host_preset.xml", "rules_case.xml", "rules_points.xml", "rules_names.xml",
                           "rules_screens.xml"}) {
    std::string bytes = ReadFixture(name);
    LoadedDocument loaded = ParsePresetBytes(bytes.data(), bytes.size(), ParseScope::WholeText);
    ASSERT_TRUE(loaded.root) << name << ": " << loaded.detail;
    EXPECT_EQ(loaded.prescanDepth, TreeDepth(*loaded.root)) << name;
    // Leaving out what the walk never reads does not change the depth the pre-scan reports.
    EXPECT_EQ(ParsePresetBytes(bytes.data(), bytes.size()).prescanDepth, loaded.prescanDepth) << name;
  }
  EXPECT_EQ(ParsePresetBytes("<a><b/><c><d/></c></a>", 22).prescanDepth, 3);
}

// ---- the change test ----

class ReaderChangeTest : public ::testing::Test {
 protected:
  void Write(const std::string& bytes, int64_t seconds = 100) { WriteFile(file, bytes, seconds); }
  std::string path() const { return PathOf(file); }

  ScratchFolder folder;
  juce::File file = folder.path().getChildFile("preset.xml");
  OutputSetup setup;
};

TEST_F(ReaderChangeTest, FirstReadHappensWithNewestTimeZero) {
  Write(OneSlicePreset("A"));
  ASSERT_EQ(setup.newestTime, 0);
  ReadPreset(setup, path());
  EXPECT_FALSE(setup.firstLoad);
  EXPECT_EQ(setup.loadedTime, 0);
  EXPECT_EQ(Names(setup), "[Screen] | A");
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Read);
  EXPECT_EQ(setup.readStatus.file, path());
}

TEST_F(ReaderChangeTest, SameNewestTimeIsNotReadAgainNewTimeIs) {
  setup.newestTime = 5000;
  Write(OneSlicePreset("A"));
  ReadPreset(setup, path());
  EXPECT_EQ(setup.loadedTime, 5000);
  Write(OneSlicePreset("B"));
  ReadPreset(setup, path());
  EXPECT_EQ(Names(setup), "[Screen] | A");
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Unchanged);
  setup.newestTime = 6000;
  ReadPreset(setup, path());
  EXPECT_EQ(Names(setup), "[Screen] | B");
  EXPECT_EQ(setup.loadedTime, 6000);
}

TEST_F(ReaderChangeTest, TheBytesOfTheLastReadAreNotParsedAgain) {
  const std::string notParsed = "the bytes of the last read, not parsed again";
  setup.newestTime = 1000;
  Write(OneSlicePreset("A"), 100);
  ReadPreset(setup, path());
  ASSERT_EQ(Names(setup), "[Screen] | A");
  // Saved again without a change: read, known by its bytes, the list kept.
  setup.newestTime = 2000;
  Write(OneSlicePreset("A"), 200);
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Read);
  EXPECT_EQ(setup.readStatus.detail, notParsed);
  EXPECT_EQ(setup.loadedTime, 2000);
  EXPECT_EQ(Names(setup), "[Screen] | A");
  // One byte other is parsed; then the bytes of A are no longer those the list was read from.
  for (const char* name : {"B", "A"}) {
    setup.newestTime += 1000;
    Write(OneSlicePreset(name), setup.newestTime / 1000);
    ReadPreset(setup, path());
    EXPECT_EQ(setup.readStatus.detail, "") << name;
    EXPECT_EQ(Names(setup), std::string("[Screen] | ") + name);
  }
  // A file that fails to parse in between changes nothing: the list's own bytes are still known.
  setup.newestTime += 1000;
  Write("<XmlState><a b></a></XmlState>", setup.newestTime / 1000);
  ReadPreset(setup, path());
  ASSERT_EQ(setup.readStatus.outcome, ReadOutcome::ParseFailed);
  setup.newestTime += 1000;
  Write(OneSlicePreset("A"), setup.newestTime / 1000);
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.detail, notParsed);
  EXPECT_EQ(Names(setup), "[Screen] | A");
  EXPECT_EQ(setup.loadedTime, setup.newestTime);
}

TEST_F(ReaderChangeTest, EmptyListIsReadAgainAtTheSameTime) {
  setup.newestTime = 5000;
  Write("<XmlState><ScreenSetup><screens/></ScreenSetup></XmlState>");
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Read);
  EXPECT_TRUE(setup.slices.empty());
  Write(OneSlicePreset("A"));
  ReadPreset(setup, path());
  EXPECT_EQ(Names(setup), "[Screen] | A");
}

TEST_F(ReaderChangeTest, EmptyPathMissingFileAndFolderLeaveEverything) {
  Write(OneSlicePreset("A"));
  ReadPreset(setup, path());
  setup.newestTime = 7000;  // a newer preset was found, but it cannot be read
  juce::File directory = folder.path().getChildFile("folder.xml");
  ASSERT_TRUE(directory.createDirectory().wasOk());
  for (const std::string& target : {std::string(), PathOf(folder.path().getChildFile("gone.xml")), PathOf(directory)}) {
    ReadPreset(setup, target);
    EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::NoFile) << target;
    EXPECT_EQ(Names(setup), "[Screen] | A");
    EXPECT_EQ(setup.loadedTime, 0);
  }
  OutputSetup fresh;
  ReadPreset(fresh, "");
  EXPECT_FALSE(fresh.firstLoad);
  EXPECT_TRUE(fresh.slices.empty());
}

// ---- files that must not wipe the list or reach the parser ----

TEST_F(ReaderChangeTest, UnparsableFileKeepsSlicesAndIsTriedAgain) {
  setup.newestTime = 1000;
  Write(OneSlicePreset("A"));
  ReadPreset(setup, path());
  setup.newestTime = 2000;
  Write("<XmlState><ScreenSetup><a b></a></ScreenSetup></XmlState>");
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::ParseFailed);
  EXPECT_EQ(setup.readStatus.detail, "expected '=' after attribute 'b'");  // the parser's own text
  EXPECT_EQ(Names(setup), "[Screen] | A");
  EXPECT_EQ(setup.loadedTime, 1000);
  Write(OneSlicePreset("B"));  // the host finished writing; the time stays the same
  ReadPreset(setup, path());
  EXPECT_EQ(Names(setup), "[Screen] | B");
  EXPECT_EQ(setup.loadedTime, 2000);
}

TEST_F(ReaderChangeTest, EveryCutOfAPresetFailsAndKeepsTheSlices) {
  std::string full = ReadFixture("host_preset.xml");
  size_t rootEnd = full.rfind("</XmlState>") + std::string("</XmlState>").size();
  for (size_t length = 0; length < rootEnd; ++length) {
    LoadedDocument loaded = ParsePresetBytes(full.data(), length);
    ASSERT_EQ(loaded.outcome, ReadOutcome::ParseFailed) << "cut after " << length << " bytes";
    ASSERT_FALSE(loaded.root);
  }
  EXPECT_EQ(ParsePresetBytes(full.data(), rootEnd).outcome, ReadOutcome::Read);

  // The same through files, for a cut inside a closing tag and one between two slices.
  Write(full);
  ReadPreset(setup, path());
  ASSERT_EQ(setup.slices.size(), 6u);
  for (const char* cutBefore : {"Rect>\n            <Warper>", "          <Mask uniqueId"}) {
    size_t cut = full.find(cutBefore) + 3;
    setup.newestTime += 1000;
    Write(full.substr(0, cut));
    ReadPreset(setup, path());
    EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::ParseFailed);
    EXPECT_EQ(setup.slices.size(), 6u);
    EXPECT_EQ(setup.loadedTime, 0);
  }
}

TEST_F(ReaderChangeTest, OversizedFileIsRefusedUntilItsWriteTimeChanges) {
  // What LED-wall tools export for a wall of 6,000 slices, some 27 MB, is read whole.
  testsupport::PresetStyle wallStyle;
  wallStyle.markup = testsupport::PresetMarkup::LedWallTool;
  wallStyle.indented = true;
  wallStyle.indent = "\t";
  const std::vector<testsupport::PresetScreen> wall = testsupport::SliceGrid(6000);
  const std::string wallExport = testsupport::PresetXml(wall, wallStyle);
  EXPECT_GT(wallExport.size(), 25u * 1000 * 1000);
  EXPECT_LT(wallExport.size(), 30u * 1000 * 1000);
  Write(wallExport, 50);
  ReadPreset(setup, path());
  ASSERT_EQ(setup.readStatus.outcome, ReadOutcome::Read) << setup.readStatus.detail;
  EXPECT_TRUE(setup.slices == testsupport::ListedRecords(wall));
  EXPECT_EQ(setup.slices.size(), 6240u);

  setup = OutputSetup();
  Write(OneSlicePreset("A"), 100);
  ReadPreset(setup, path());
  // One byte over the limit: refused from its size, without reading it.
  ASSERT_TRUE(file.replaceWithText(""));
  {
    juce::FileOutputStream out(file);
    ASSERT_TRUE(out.setPosition(kMaxPresetBytes));
    ASSERT_TRUE(out.writeByte(' '));
  }
  SetWriteTime(file, 200);
  setup.newestTime = 200000;
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::TooLarge);
  EXPECT_EQ(setup.readStatus.detail, "larger than 64 MiB");
  EXPECT_EQ(Names(setup), "[Screen] | A");
  EXPECT_EQ(setup.loadedTime, 0);

  // Replaced by a good file with the same write time: still remembered as refused.
  Write(OneSlicePreset("B"), 200);
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::TooLarge);
  EXPECT_EQ(Names(setup), "[Screen] | A");
  SetWriteTime(file, 201);
  ReadPreset(setup, path());
  EXPECT_EQ(Names(setup), "[Screen] | B");

  // Exactly at the limit is read: a small document padded with blanks after its root.
  std::string padded = OneSlicePreset("C");
  padded.resize(static_cast<size_t>(kMaxPresetBytes), ' ');
  Write(padded, 300);
  setup.newestTime = 300000;
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Read);
  EXPECT_EQ(Names(setup), "[Screen] | C");

  // A refusal in between leaves the list's bytes known: the same bytes saved again are not parsed.
  padded.push_back(' ');
  Write(padded, 400);
  setup.newestTime = 400000;
  ReadPreset(setup, path());
  ASSERT_EQ(setup.readStatus.outcome, ReadOutcome::TooLarge);
  padded.pop_back();
  Write(padded, 500);
  setup.newestTime = 500000;
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Read);
  EXPECT_EQ(setup.readStatus.detail, "the bytes of the last read, not parsed again");
  EXPECT_EQ(Names(setup), "[Screen] | C");
  EXPECT_EQ(setup.loadedTime, 500000);
}

TEST_F(ReaderChangeTest, NestingDeeperThanTheLimitIsRefusedAndRemembered) {
  Write(Nested(kMaxPresetDepth), 100);
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::Read);

  setup.newestTime = 200000;
  Write(Nested(kMaxPresetDepth + 1) + "\n" + OneSlicePreset("unreachable"), 200);
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::TooDeep);
  Write(OneSlicePreset("B"), 200);
  ReadPreset(setup, path());
  EXPECT_EQ(setup.readStatus.outcome, ReadOutcome::TooDeep);
  EXPECT_TRUE(setup.slices.empty());
  SetWriteTime(file, 201);
  ReadPreset(setup, path());
  EXPECT_EQ(Names(setup), "[Screen] | B");
}

TEST(PresetPrescan, NestingIsCountedThroughQuotesCommentsAndCData) {
  const int deep = kMaxPresetDepth + 44;
  // Markup-like text in comments, attribute values, CDATA and processing instructions neither
  // hides real nesting nor counts as nesting.
  std::string decoys = "<!-- </d></d> --><?pi </d> ?><![CDATA[</d></d>]]>";
  std::string hidden = "<XmlState a='\">' b=\"'</d>\">" + decoys;
  for (int i = 1; i < deep; ++i) hidden += "<d x='/>' y=\"&quot;</d>\">" + decoys;
  for (int i = 1; i < deep; ++i) hidden += "</d>";
  hidden += "</XmlState>";
  LoadedDocument refused = ParsePresetBytes(hidden.data(), hidden.size());
  EXPECT_EQ(refused.outcome, ReadOutcome::TooDeep);
  EXPECT_EQ(refused.prescanDepth, kMaxPresetDepth + 1);

  std::string flat = "<XmlState><!--";
  for (int i = 0; i < deep; ++i) flat += "<d>";
  flat += "--><e a=\"";
  for (int i = 0; i < deep; ++i) flat += "&lt;d>";
  flat += "\"/><![CDATA[";
  for (int i = 0; i < deep; ++i) flat += "<d>";
  flat += "]]></XmlState>";
  LoadedDocument parsed = ParsePresetBytes(flat.data(), flat.size());
  EXPECT_EQ(parsed.outcome, ReadOutcome::Read) << parsed.detail;
  EXPECT_EQ(parsed.prescanDepth, 2);
}

TEST(PresetPrescan, DoctypeAndMarkupInEntitiesNeverReachTheParser) {
  // Entities of a DTD could expand without bound, or into themselves.
  std::string doctype = "<?xml version=\"1.0\"?>\n<!DOCTYPE x [<!ENTITY a \"&a;&a;\">]>\n<XmlState>&a;</XmlState>";
  LoadedDocument refused = ParsePresetBytes(doctype.data(), doctype.size());
  EXPECT_EQ(refused.outcome, ReadOutcome::HasDoctype);
  EXPECT_EQ(refused.detail, "DOCTYPE declaration at byte 22");
  // An unknown entity whose name starts with '<' would be parsed as elements.
  std::string entity = "<XmlState>&<ScreenSetup><screens>;</XmlState>";
  LoadedDocument failed = ParsePresetBytes(entity.data(), entity.size());
  EXPECT_EQ(failed.outcome, ReadOutcome::ParseFailed);
  EXPECT_EQ(failed.detail, "markup inside an entity reference at byte 34");
  // A close tag without '>' is a cut file, though the parser would accept what came before.
  std::string dangling = OneSlicePreset("A").substr(0, OneSlicePreset("A").rfind('>'));
  EXPECT_EQ(ParsePresetBytes(dangling.data(), dangling.size()).detail, "close tag without '>' at byte " +
                                                                          std::to_string(dangling.size() - 10));
  EXPECT_EQ(ParsePresetBytes("", 0).outcome, ReadOutcome::ParseFailed);
}

TEST(PresetPrescan, DecodingGivesTheLibraryDecodersText) {
  const std::string cases[] = {
      "<a/>", "\xEF\xBB\xBF<a/>", "\xEF\xBB\xBF<a n=\"Caf\xC3\xA9\"/>", std::string("\xFF\xFE<\0a\0/\0>\0", 10),
      std::string("\xFE\xFF\0<\0a\0/\0>", 10), "<a n=\"\xE9\"/>", "\xE9", "a", "ab", std::string("<a/>\0<b>", 8),
      std::string("<a/>\0\xE9", 6), "\xEF\xBB", "\xEF\xBB\xBF" "a", ""};
  for (const std::string& bytes : cases) {
    juce::String expected = juce::String::createStringFromData(bytes.data(), static_cast<int>(bytes.size())) + "\n";
    EXPECT_EQ(DecodePresetText(bytes.data(), bytes.size()), expected) << bytes;
  }
  // A mark and nothing else is empty text (the library's decoder would read past the buffer).
  const std::string markOnly = "\xEF\xBB\xBF";
  EXPECT_EQ(DecodePresetText(markOnly.data(), markOnly.size()).toStdString(), "\n");
  EXPECT_EQ(ParsePresetBytes(markOnly.data(), markOnly.size()).outcome, ReadOutcome::ParseFailed);
}

TEST(PresetPrescan, OverlongFormsAreReadAsTheParserReadsThem) {
  // The parser decodes "\xC1\x84" as 'D' and "\xC0\xBC" as '<'; the pre-scan must see them so.
  EXPECT_EQ(DecodePresetText("<\xC1\x84/>", 5).toStdString(), "<D/>\n");
  std::string nested = "<XmlState>";
  for (int i = 0; i < kMaxPresetDepth + 10; ++i) nested += "\xC0\xBC" "d>";
  LoadedDocument refused = ParsePresetBytes(nested.data(), nested.size());
  EXPECT_EQ(refused.outcome, ReadOutcome::TooDeep);
  EXPECT_EQ(refused.prescanDepth, kMaxPresetDepth + 1);
  std::string named = OneSlicePreset("\xC1\x81\xE0\x81\x82");  // overlong "AB"
  LoadedDocument loaded = ParsePresetBytes(named.data(), named.size());
  ASSERT_TRUE(loaded.root) << loaded.detail;
  EXPECT_EQ(CollectSlices(*loaded.root).at(1).sliceName, "AB");

  for (const char* shortest : {"Caf\xC3\xA9", "\xE2\x82\xAC", "\xE0\xA0\x80", "\xF0\x90\x80\x80", "\xC2\x80"})
    EXPECT_FALSE(HasOverlongForms(shortest)) << shortest;
  for (const char* overlong : {"\xC0\xBC", "a\xC1\xBF", "\xE0\x80\xBC", "\xE0\x9F\xBF", "\xF0\x80\x80\xBC", "\xF0\x8F\xBF\xBF"})
    EXPECT_TRUE(HasOverlongForms(overlong)) << overlong;
}

TEST(PresetPrescan, ProcessingInstructionBeforeTextWouldNeverEnd) {
  // The parser's whitespace skip passes the instruction, then rereads from before it, for ever.
  for (const char* document : {"<XmlState><?pi x?> text</XmlState>", "<XmlState>\n  <?pi?><!-- c -->-</XmlState>",
                               "<XmlState><a/><?pi?>&amp;</XmlState>"}) {
    LoadedDocument loaded = ParsePresetBytes(document, std::strlen(document));
    EXPECT_EQ(loaded.outcome, ReadOutcome::ParseFailed) << document;
    EXPECT_NE(loaded.detail.find("processing instruction followed by text"), std::string::npos) << loaded.detail;
  }
  // Before markup, or before the root, an instruction is passed over as usual.
  const char* fine = "<?xml version=\"1.0\"?><?pi?><XmlState><?pi?>\n<a/></XmlState>";
  EXPECT_EQ(ParsePresetBytes(fine, std::strlen(fine)).outcome, ReadOutcome::Read);
}

}  // namespace
