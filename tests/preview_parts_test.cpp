// The render command's parts without a module: settings and sizes, name matching, turning settings
// into values, pictures in and out, the test card and the slices picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/caller/temp_folder.h"
#include "tools/preview/image_io.h"
#include "tools/preview/name_matching.h"
#include "tools/preview/param_catalogue.h"
#include "tools/preview/scene_settings.h"
#include "tools/preview/slices_svg.h"
#include "tools/preview/test_card.h"

namespace {

using preview::CommandStatus;
using preview::Image;
using preview::ParamCatalogue;
using preview::ParamInfo;
using preview::ResolvedSetting;
using preview::Setting;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(PreviewSettings, NameAndValueSplitAtTheFirstEqualsAndLoseSurroundingBlanks) {
  Setting setting;
  ASSERT_TRUE(preview::ParseSetting("  Name 1 =  a=b  ", "--set", setting).ok());
  EXPECT_EQ(setting.name, "Name 1");
  EXPECT_EQ(setting.value, "a=b");
  EXPECT_EQ(setting.origin, "--set");
  ASSERT_TRUE(preview::ParseSetting("Name 2=", "--set", setting).ok());
  EXPECT_EQ(setting.value, "");

  CommandStatus noEquals = preview::ParseSetting("Opacity 1 0.5", "--set", setting);
  EXPECT_EQ(noEquals.exitCode, preview::kExitBadRequest);
  EXPECT_EQ(noEquals.message, "--set: expected Name=value, got \"Opacity 1 0.5\"");
  EXPECT_EQ(preview::ParseSetting(" =1", "--set", setting).exitCode, preview::kExitBadRequest);
}

TEST(PreviewSettings, SceneFileSkipsCommentsAndBlankLinesAndNamesTheFailingLine) {
  caller::TempFolder folder;
  const std::string path = folder.Write(
      "a.scene", "\xEF\xBB\xBF# heading\r\n\r\nEnable 2=1\r\n   # indented comment\nName 2=Left # not a comment\n");
  std::vector<Setting> settings;
  ASSERT_TRUE(preview::ReadSceneFile(path, settings).ok());
  ASSERT_EQ(settings.size(), 2u);
  EXPECT_EQ(settings[0].name, "Enable 2");
  EXPECT_EQ(settings[0].value, "1");
  EXPECT_EQ(settings[0].origin, path + ":3");
  EXPECT_EQ(settings[1].value, "Left # not a comment");
  EXPECT_EQ(settings[1].origin, path + ":5");

  const std::string bad = folder.Write("bad.scene", "Enable 1=1\n\nwidth\n");
  settings.clear();
  CommandStatus status = preview::ReadSceneFile(bad, settings);
  EXPECT_EQ(status.exitCode, preview::kExitBadRequest);
  EXPECT_EQ(status.message, bad + ":3: expected Name=value, got \"width\"");

  status = preview::ReadSceneFile(folder / "missing.scene", settings);
  EXPECT_EQ(status.exitCode, preview::kExitBadRequest);
  EXPECT_TRUE(Contains(status.message, "cannot read scene file " + (folder / "missing.scene")));
}

TEST(PreviewSettings, SizesAreWholeNumbersFromOneTo16384) {
  int width = 0;
  int height = 0;
  ASSERT_TRUE(preview::ParseSize("64x36", width, height).ok());
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 36);
  ASSERT_TRUE(preview::ParseSize("1X1", width, height).ok());
  EXPECT_EQ(width, 1);
  ASSERT_TRUE(preview::ParseSize("16384x16384", width, height).ok());
  EXPECT_EQ(height, 16384);
  for (const char* bad : {"", "0x10", "10x0", "16385x1", "64x", "x36", "64*36", "-1x5", "6 4x36", "64x36x2", "1e2x5"})
    EXPECT_EQ(preview::ParseSize(bad, width, height).exitCode, preview::kExitBadRequest) << bad;
}

TEST(PreviewNames, EditDistanceIgnoresCase) {
  EXPECT_EQ(preview::EditDistance("kitten", "sitting"), 3u);
  EXPECT_EQ(preview::EditDistance("Opacity 1", "opacity 1"), 0u);
  EXPECT_EQ(preview::EditDistance("", "abc"), 3u);
  EXPECT_EQ(preview::EditDistance("Opacty 1", "Opacity 1"), 1u);
}

TEST(PreviewNames, ExactNamesWinThenAnUnambiguousCaseInsensitiveOne) {
  const std::vector<std::string> names = {"Ratio", "ratio", "Ratio 1", "Width 1"};
  EXPECT_EQ(preview::FindName("ratio", names), 1);
  EXPECT_EQ(preview::FindName("RATIO", names), -1);  // two differ only in case
  EXPECT_EQ(preview::FindName("width 1", names), 3);
  EXPECT_EQ(preview::FindName("Width", names), -1);
}

TEST(PreviewNames, NearMatchesAreNearestFirstThenInListOrder) {
  const std::vector<std::string> names = {"Opacity 1", "Opacity 2", "Opacity 12", "Kaleidoscope 1", "Name 1"};
  EXPECT_EQ(preview::NearMatches("opacity 1", names, 5),
            (std::vector<std::string>{"Opacity 1", "Opacity 2", "Opacity 12"}));
  EXPECT_EQ(preview::NearMatches("Opacity", names, 2), (std::vector<std::string>{"Opacity 1", "Opacity 2"}));
  EXPECT_EQ(preview::NearMatches("Kaleido", names, 5), (std::vector<std::string>{"Kaleidoscope 1"}));
  EXPECT_TRUE(preview::NearMatches("Position X 1", names, 5).empty());
  EXPECT_EQ(preview::QuotedList({"a", "b c"}), "\"a\", \"b c\"");
}

// A catalogue with one parameter of each kind the effect has.
ParamCatalogue SmallCatalogue() {
  std::vector<ParamInfo> params(6);
  params[0] = {0, "Live Update", kTypeBoolean, 0.0f, 1.0f, {}};
  params[1] = {1, "Opacity 1", kTypeStandard, 0.0f, 1.0f, {}};
  params[2] = {2, "Width 1", kTypeInteger, -16384.0f, 16384.0f, {}};
  params[3] = {3, "Name 1", kTypeText, 0.0f, 1.0f, {}};
  params[4] = {4, "Slice Output 1", kTypeOption, 0.0f, 1.0f, {"None", "( Stage )", "Front Left", "Front Right"}};
  params[5] = {9, "Opacity 2", kTypeStandard, 0.0f, 1.0f, {}};
  return ParamCatalogue(params);
}

ResolvedSetting ResolveOk(const ParamCatalogue& catalogue, const std::string& name, const std::string& value) {
  ResolvedSetting resolved;
  const CommandStatus status = catalogue.Resolve({name, value, "--set"}, resolved);
  EXPECT_TRUE(status.ok()) << status.message;
  return resolved;
}

std::string ResolveError(const ParamCatalogue& catalogue, const std::string& name, const std::string& value) {
  ResolvedSetting resolved;
  const CommandStatus status = catalogue.Resolve({name, value, "s.scene:4"}, resolved);
  EXPECT_EQ(status.exitCode, preview::kExitBadRequest) << name << "=" << value;
  return status.message;
}

TEST(PreviewCatalogue, OptionsTakeElementNamesOrPositions) {
  const ParamCatalogue catalogue = SmallCatalogue();
  ResolvedSetting byName = ResolveOk(catalogue, "Slice Output 1", "Front Right");
  EXPECT_EQ(byName.index, 4u);
  EXPECT_FALSE(byName.isText);
  EXPECT_EQ(byName.value, 3.0f);
  EXPECT_EQ(ResolveOk(catalogue, "slice output 1", "front left").value, 2.0f);
  EXPECT_EQ(ResolveOk(catalogue, "Slice Output 1", "( Stage )").value, 1.0f);
  EXPECT_EQ(ResolveOk(catalogue, "Slice Output 1", "0").value, 0.0f);
  EXPECT_EQ(ResolveOk(catalogue, "Slice Output 1", "3").value, 3.0f);

  EXPECT_EQ(ResolveError(catalogue, "Slice Output 1", "Front Lef"),
            "s.scene:4: Slice Output 1 has no element \"Front Lef\"; did you mean \"Front Left\"? "
            "Elements by position: 0 \"None\", 1 \"( Stage )\", 2 \"Front Left\", 3 \"Front Right\"");
  EXPECT_TRUE(Contains(ResolveError(catalogue, "Slice Output 1", "4"), "has no element \"4\""));
  EXPECT_TRUE(Contains(ResolveError(catalogue, "Slice Output 1", "1.5"), "has no element \"1.5\""));
  EXPECT_TRUE(Contains(ResolveError(catalogue, "Slice Output 1", "-1"), "has no element \"-1\""));
}

TEST(PreviewCatalogue, UnknownNamesListTheNearOnes) {
  const ParamCatalogue catalogue = SmallCatalogue();
  EXPECT_EQ(ResolveError(catalogue, "Opacty 1", "0.5"),
            "s.scene:4: no parameter named \"Opacty 1\"; did you mean \"Opacity 1\", \"Opacity 2\"? "
            "(mosaro-preview params lists all 6)");
  EXPECT_EQ(ResolveError(catalogue, "Zoom", "1"),
            "s.scene:4: no parameter named \"Zoom\" (mosaro-preview params lists all 6)");
}

TEST(PreviewCatalogue, NumbersAreCheckedAgainstThePublishedRange) {
  const ParamCatalogue catalogue = SmallCatalogue();
  EXPECT_EQ(ResolveOk(catalogue, "Opacity 1", "0.25").value, 0.25f);
  EXPECT_EQ(ResolveOk(catalogue, "Opacity 1", "1").value, 1.0f);
  EXPECT_EQ(ResolveOk(catalogue, "Opacity 2", "0").index, 9u);
  EXPECT_EQ(ResolveOk(catalogue, "Width 1", "-16384").value, -16384.0f);
  EXPECT_EQ(ResolveError(catalogue, "Opacity 1", "1.01"), "s.scene:4: Opacity 1 takes 0 to 1, not 1.01");
  EXPECT_EQ(ResolveError(catalogue, "Width 1", "16385"), "s.scene:4: Width 1 takes -16384 to 16384, not 16385");
  EXPECT_EQ(ResolveError(catalogue, "Width 1", "10.5"), "s.scene:4: Width 1 takes whole numbers, not 10.5");
  EXPECT_EQ(ResolveError(catalogue, "Opacity 1", "half"), "s.scene:4: Opacity 1 takes a number, not \"half\"");
  for (const char* bad : {"nan", "inf", "1e39", "", "0.5x"})
    EXPECT_TRUE(Contains(ResolveError(catalogue, "Opacity 1", bad), "takes a number")) << bad;
}

TEST(PreviewCatalogue, SwitchesTakeOnOffAndTextStaysText) {
  const ParamCatalogue catalogue = SmallCatalogue();
  EXPECT_EQ(ResolveOk(catalogue, "Live Update", "off").value, 0.0f);
  EXPECT_EQ(ResolveOk(catalogue, "Live Update", "On").value, 1.0f);
  EXPECT_EQ(ResolveOk(catalogue, "Live Update", "1").value, 1.0f);
  EXPECT_EQ(ResolveError(catalogue, "Live Update", "maybe"),
            "s.scene:4: Live Update takes a number or on/off, not \"maybe\"");
  ResolvedSetting text = ResolveOk(catalogue, "Name 1", "12 = twelve");
  EXPECT_TRUE(text.isText);
  EXPECT_EQ(text.text, "12 = twelve");
}

TEST(PreviewImages, PngRoundTripKeepsEveryByteAndTopRowFirst) {
  caller::TempFolder folder;
  Image image;
  image.width = 3;
  image.height = 2;
  image.rgba = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 1, 2, 3, 4, 250, 251, 252, 253, 9, 8, 7, 6};
  ASSERT_TRUE(preview::WritePngFile(folder / "a.png", image).ok());
  Image back;
  ASSERT_TRUE(preview::ReadImageFile(folder / "a.png", back).ok());
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.height, 2);
  EXPECT_EQ(back.rgba, image.rgba);
  EXPECT_EQ(back.Pixel(0, 1)[0], 1);

  EXPECT_EQ(preview::FlipRows(image.rgba, 3, 2),
            (std::vector<uint8_t>{1, 2, 3, 4, 250, 251, 252, 253, 9, 8, 7, 6, 255, 0, 0, 255, 0, 255, 0, 128, 0, 0,
                                  255, 0}));
  EXPECT_TRUE(preview::FlipRows({}, 0, 0).empty());
}

TEST(PreviewImages, UnreadableAndUnwritableFilesFailWithTheReason) {
  caller::TempFolder folder;
  Image image;
  CommandStatus missing = preview::ReadImageFile(folder / "none.png", image);
  EXPECT_EQ(missing.exitCode, preview::kExitBadRequest);
  EXPECT_EQ(missing.message, "cannot read image " + (folder / "none.png") + ": No such file or directory");

  CommandStatus garbage = preview::ReadImageFile(folder.Write("text.png", "not a picture"), image);
  EXPECT_EQ(garbage.exitCode, preview::kExitBadRequest);
  EXPECT_TRUE(Contains(garbage.message, "cannot read image " + (folder / "text.png") + ": "));
  EXPECT_TRUE(Contains(garbage.message, "(PNG and JPEG files are read)"));

  Image one;
  one.width = one.height = 1;
  one.rgba = {1, 2, 3, 4};
  EXPECT_EQ(preview::WritePngFile(folder / "no/such/folder.png", one).exitCode, preview::kExitBadRequest);
  EXPECT_EQ(preview::WritePngFile(folder / "empty.png", Image{}).message,
            "cannot write " + (folder / "empty.png") + ": the picture is empty");
}

TEST(PreviewTestCard, QuartersKeepTheirColoursInReadingOrder) {
  const Image card = preview::MakeTestCard(64, 36);
  ASSERT_EQ(card.width, 64);
  ASSERT_EQ(card.height, 36);
  ASSERT_EQ(card.rgba.size(), 64u * 36u * 4u);
  for (size_t i = 3; i < card.rgba.size(); i += 4) ASSERT_EQ(card.rgba[i], 255) << "pixel " << i / 4;
  // Light checker cells away from lines, ring and labels show the quarter's colour exactly.
  const int spots[4][2] = {{1, 1}, {57, 1}, {1, 34}, {57, 34}};
  for (int q = 0; q < 4; ++q) {
    const uint8_t* p = card.Pixel(spots[q][0], spots[q][1]);
    EXPECT_EQ(std::vector<uint8_t>(p, p + 3),
              std::vector<uint8_t>(preview::kTestCardQuarters[q], preview::kTestCardQuarters[q] + 3))
        << "quarter " << q + 1;
  }
  EXPECT_EQ(card.Pixel(5, 1)[0], 171);  // a dark cell: 214 * 0.8
  EXPECT_EQ(card.Pixel(0, 1)[0], 255);  // a grid line
  EXPECT_TRUE(preview::MakeTestCard(0, 10).empty());
}

TEST(PreviewSlicesSvg, SlicesAreOutlinedInOrderAndNamedByTheirPosition) {
  std::vector<SliceRecord> slices(3);
  slices[0].screenName = "Main & Side";
  slices[1].sliceName = "Left <1>";
  slices[1].inputRect[0] = {0, 0};
  slices[1].inputRect[1] = {100, 10};
  slices[1].inputRect[2] = {-10, 50};
  slices[1].inputRect[3] = {90, 60.5f};
  slices[2].sliceName = "Right";
  slices[2].inputRect[0] = {100, 0};
  slices[2].inputRect[1] = {200, 0};
  slices[2].inputRect[2] = {100, 80};
  slices[2].inputRect[3] = {200, 80};
  const std::string svg = preview::SlicesSvg(slices, 200, 100);
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"-22 -12 234 160\"", 0), 0u);
  EXPECT_TRUE(Contains(svg, "<polygon points=\"0,0 100,10 90,60.5 -10,50\""));
  EXPECT_TRUE(Contains(svg, "<polygon points=\"100,0 200,0 200,80 100,80\""));
  EXPECT_TRUE(Contains(svg, ">2 Left &lt;1&gt;</text>"));
  EXPECT_TRUE(Contains(svg, ">3 Right</text>"));
  EXPECT_TRUE(Contains(svg, ">1 ( Main &amp; Side )</text>"));
  EXPECT_TRUE(Contains(svg, "<rect x=\"0\" y=\"0\" width=\"200\" height=\"100\""));
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

}  // namespace
