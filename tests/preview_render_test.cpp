// The render command end to end: the product module drawing a tiny frame from a generated input, the host
// calls it makes (seen through the test module's log), and the messages of requests it cannot carry out.
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#include <shlobj.h>
#endif


#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "effect/layer_params.h"
#include "tests/support/preset_writer.h"
#include "tools/caller/documents_folder.h"
#include "tools/caller/temp_folder.h"
#include "tests/support/test_effect_control.h"
#include "tools/caller/plugin_module.h"
#include "tools/preview/image_io.h"
#include "tools/preview/render_command.h"

namespace {

using preview::CommandStatus;
using preview::Image;
using preview::RenderRequest;

constexpr uint8_t kRed[4] = {200, 0, 0, 255};
constexpr uint8_t kGreen[4] = {0, 200, 0, 255};
constexpr uint8_t kBlue[4] = {0, 0, 200, 255};
constexpr uint8_t kYellow[4] = {200, 200, 0, 255};
constexpr uint8_t kOpaqueBlack[4] = {0, 0, 0, 255};
constexpr uint8_t kClear[4] = {0, 0, 0, 0};

// One screen "Stage" over a 64x36 composition: "Left" is its left half, "Right" its right half.
std::string HalvesPreset() {
  using testsupport::Box;
  testsupport::PresetStyle style;
  style.indented = true;
  style.documentName = "Halves";
  return testsupport::PresetXml(
      {{"Stage", {{"Left", Box(0, 0, 32, 36), Box(0, 0, 32, 36)}, {"Right", Box(32, 0, 64, 36), Box(32, 0, 64, 36)}}}},
      style);
}
const std::string kHalvesPreset = HalvesPreset();

std::vector<uint8_t> Bytes(const uint8_t (&rgba)[4]) { return std::vector<uint8_t>(rgba, rgba + 4); }
std::vector<uint8_t> PixelOf(const Image& image, int x, int y) {
  return std::vector<uint8_t>(image.Pixel(x, y), image.Pixel(x, y) + 4);
}
bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A 16x16 input of four flat quarters: red, green (top), blue, yellow (bottom).
Image QuarterInput() {
  Image image;
  image.width = image.height = 16;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const uint8_t* colour = y < 8 ? (x < 8 ? kRed : kGreen) : (x < 8 ? kBlue : kYellow);
      image.rgba.insert(image.rgba.end(), colour, colour + 4);
    }
  return image;
}

class PreviewRender : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Held for the whole suite, so that every render finds the module already loaded.
    product = new caller::PluginModule;
    ASSERT_TRUE(product->Load(MOSARO_PRODUCT_MODULE)) << product->error();
  }
  static void TearDownTestSuite() {
    delete product;
    product = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(preview::WritePngFile(folder / "quarters.png", QuarterInput()).ok()); }

  RenderRequest Request(std::vector<std::string> sets) const {
    RenderRequest request;
    request.modulePath = MOSARO_PRODUCT_MODULE;
    request.inputImage = folder / "quarters.png";
    request.outputPng = folder / "out.png";
    request.size = "64x36";
    request.base = "black";
    request.sets = std::move(sets);
    return request;
  }
  CommandStatus Render(const RenderRequest& request) {
    readBack.clear();
    return preview::RenderToPng(request, readBack);
  }
  Image Output() const {
    Image image;
    EXPECT_TRUE(preview::ReadImageFile(folder / "out.png", image).ok());
    return image;
  }
  bool OutputWritten() const { return std::filesystem::exists(folder / "out.png"); }

  static caller::PluginModule* product;
  caller::DocumentsFolder home;  // no preset unless a test stages one
  caller::TempFolder folder;
  std::vector<std::string> readBack;
};
caller::PluginModule* PreviewRender::product = nullptr;

TEST_F(PreviewRender, FullFrameLayerShowsTheInputUprightInThePicture) {
  ASSERT_TRUE(Render(Request({"Width 1=64", "Height 1=36"})).ok());
  const Image out = Output();
  ASSERT_EQ(out.width, 64);
  ASSERT_EQ(out.height, 36);
  EXPECT_EQ(PixelOf(out, 16, 9), Bytes(kRed));
  EXPECT_EQ(PixelOf(out, 48, 9), Bytes(kGreen));
  EXPECT_EQ(PixelOf(out, 16, 27), Bytes(kBlue));
  EXPECT_EQ(PixelOf(out, 48, 27), Bytes(kYellow));
  EXPECT_EQ(PixelOf(out, 0, 0), Bytes(kRed));
  EXPECT_EQ(PixelOf(out, 63, 35), Bytes(kYellow));
}

TEST_F(PreviewRender, BaseIsWhatTheFrameHoldsWhereNoLayerDraws) {
  RenderRequest request = Request({"Enable 1=0"});
  request.base = "transparent";
  ASSERT_TRUE(Render(request).ok());
  EXPECT_EQ(PixelOf(Output(), 10, 10), Bytes(kClear));
  EXPECT_EQ(PixelOf(Output(), 63, 0), Bytes(kClear));

  request.base = "black";
  ASSERT_TRUE(Render(request).ok());
  EXPECT_EQ(PixelOf(Output(), 10, 10), Bytes(kOpaqueBlack));

  request.base = "input";  // the input scaled to the viewport, upright
  ASSERT_TRUE(Render(request).ok());
  const Image out = Output();
  EXPECT_EQ(PixelOf(out, 8, 4), Bytes(kRed));
  EXPECT_EQ(PixelOf(out, 56, 4), Bytes(kGreen));
  EXPECT_EQ(PixelOf(out, 8, 31), Bytes(kBlue));
  EXPECT_EQ(PixelOf(out, 56, 31), Bytes(kYellow));
}

TEST_F(PreviewRender, StagedPresetOffersItsSlicesByName) {
  RenderRequest request = Request({"Slice Output 1=Left"});
  request.presetFile = folder.Write("halves.preset", kHalvesPreset);  // staged as *.xml
  ASSERT_TRUE(Render(request).ok());
  EXPECT_EQ(readBack, (std::vector<std::string>{"Slice Output 1 = 3 \"Left\""}));
  const Image out = Output();
  // The left half shows the middle half of the input; the right half keeps the base.
  EXPECT_EQ(PixelOf(out, 8, 9), Bytes(kRed));
  EXPECT_EQ(PixelOf(out, 24, 9), Bytes(kGreen));
  EXPECT_EQ(PixelOf(out, 8, 27), Bytes(kBlue));
  EXPECT_EQ(PixelOf(out, 40, 9), Bytes(kOpaqueBlack));
  EXPECT_EQ(PixelOf(out, 63, 35), Bytes(kOpaqueBlack));
  EXPECT_TRUE(std::filesystem::exists(folder / "halves.preset"));
}

TEST_F(PreviewRender, DocumentsFolderIsSearchedAsTheUsersAndHomeComesBack) {
  caller::TempFolder documents;
  documents.Write("Host/Presets/Advanced Output/older.xml", "<XmlState/>");
  caller::SetWriteTime(documents / "Host/Presets/Advanced Output/older.xml", 1600000000000);
  documents.Write("Host/Presets/Advanced Output/newest.xml", kHalvesPreset);
  RenderRequest request = Request({"Slice Output 1=Right", "Slice Sample 1=2"});
  request.documentsFolder = documents.path().u8string();
  ASSERT_TRUE(Render(request).ok());
  EXPECT_EQ(readBack, (std::vector<std::string>{"Slice Output 1 = 2 \"Right\"", "Slice Sample 1 = 2 \"Right\""}));
  EXPECT_EQ(PixelOf(Output(), 20, 9), Bytes(kOpaqueBlack));
#if defined(_WIN32)
  wchar_t shell[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, shell, CSIDL_PERSONAL, FALSE));
  EXPECT_EQ(std::filesystem::path(shell).u8string(), home.Documents());
#else
  EXPECT_EQ(std::string(getenv("HOME")), home.Home());
#endif
  EXPECT_TRUE(std::filesystem::exists(documents / "Host/Presets/Advanced Output/newest.xml"));
}

TEST_F(PreviewRender, SettingsReachTheInstanceAsTheirKindsRequire) {
  RenderRequest request = Request({"Name 1=Left & right", "Opacity 1=0.5", "Symmetry 1=Flipped", "Options=on"});
  request.sceneFile = folder.Write("a.scene", "# scene first, --set after\nName 1=from the scene\nUV=1\n");
  ASSERT_TRUE(Render(request).ok());
  // One line per parameter, in the order first set, with the value it holds in the end.
  EXPECT_EQ(readBack, (std::vector<std::string>{"Name 1 = \"Left & right\"", "UV = 1 \"Repeat\"",
                                                "Opacity 1 = 0.5 (50%)", "Symmetry 1 = 2 \"Flipped\"",
                                                "Options = 1"}));
}

TEST_F(PreviewRender, UnknownNamesAndElementsAreAllReportedWithNearMatches) {
  RenderRequest request = Request({"Opacty 1=0.5", "Slice Output 1=Lef", "Slice Sample 1=Front", "Width 1=wide"});
  request.presetFile = folder.Write("halves.xml", kHalvesPreset);
  const CommandStatus status = Render(request);
  EXPECT_EQ(status.exitCode, preview::kExitBadRequest);
  EXPECT_EQ(status.message,
            "--set: no parameter named \"Opacty 1\"; did you mean \"Opacity 1\", \"Opacity 2\", \"Opacity 3\", "
            "\"Opacity 4\", \"Opacity 5\", \"Opacity 6\"? (mosaro-preview params lists all " +
                std::to_string(kParameterCount) + ")\n"
            "--set: Slice Output 1 has no element \"Lef\"; did you mean \"Left\"? Elements by position: "
            "0 \"None\", 1 \"( Stage )\", 2 \"Right\", 3 \"Left\"\n"
            "--set: Slice Sample 1 has no element \"Front\". Elements by position: "
            "0 \"None\", 1 \"( Stage )\", 2 \"Right\", 3 \"Left\"\n"
            "--set: Width 1 takes a number, not \"wide\"");
  EXPECT_FALSE(OutputWritten());
}

TEST_F(PreviewRender, FilesAndModulesThatCannotBeUsedAreNamed) {
  RenderRequest request = Request({});
  request.inputImage = folder.Write("broken.jpg", "\xFF\xD8 truncated");
  CommandStatus status = Render(request);
  EXPECT_EQ(status.exitCode, preview::kExitBadRequest);
  EXPECT_TRUE(Contains(status.message, "cannot read image " + request.inputImage + ": ")) << status.message;

  request = Request({});
  request.presetFile = folder / "missing.xml";
  status = Render(request);
  EXPECT_EQ(status.exitCode, preview::kExitBadRequest);
  EXPECT_EQ(status.message, "cannot read preset " + request.presetFile + ": not a file");

  request = Request({});
  request.documentsFolder = folder / "quarters.png";
  EXPECT_EQ(Render(request).message, "documents folder " + request.documentsFolder + " is not a folder");

  request = Request({});
  request.modulePath = folder / "quarters.png";
  status = Render(request);
  EXPECT_EQ(status.exitCode, preview::kExitModule);
  EXPECT_TRUE(Contains(status.message, "cannot load " + request.modulePath)) << status.message;

  request = Request({});
  request.size = "64x0";
  EXPECT_EQ(Render(request).exitCode, preview::kExitBadRequest);
  request = Request({});
  request.base = "white";
  EXPECT_EQ(Render(request).message, "base \"white\": expected black, transparent or input");
  EXPECT_FALSE(OutputWritten());
}

TEST_F(PreviewRender, BundledExampleSceneNamesOnlyWhatTheEffectOffers) {
  RenderRequest request;
  request.modulePath = MOSARO_PRODUCT_MODULE;
  request.presetFile = MOSARO_EXAMPLES "/stage.xml";
  request.sceneFile = MOSARO_EXAMPLES "/stage.scene";
  request.outputPng = folder / "out.png";
  request.size = "192x108";
  const CommandStatus status = Render(request);
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_EQ(readBack.size(), 29u);
  EXPECT_EQ(readBack[5], "Slice Sample 2 = 7 \"Pillar\"");
  EXPECT_EQ(Output().width, 192);
}

// The test module logs the calls it gets; its switches make it fail on purpose.
class PreviewHostCalls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    held = new caller::PluginModule;
    ASSERT_TRUE(held->Load(MOSARO_TEST_MODULE)) << held->error();
    auto get = reinterpret_cast<TestEffectControl* (*)()>(held->Symbol("testEffectControl"));
    ASSERT_NE(get, nullptr);
    control = get();
  }
  static void TearDownTestSuite() {
    delete held;
    held = nullptr;
  }
  void SetUp() override {
    std::memset(control->log, 0, sizeof control->log);
    control->factoryFails = control->factoryThrows = control->initGLFails = control->initGLThrows = false;
    control->setFloatFailsAtIndex = false;
  }
  RenderRequest Request(std::vector<std::string> sets) const {
    RenderRequest request;
    request.modulePath = MOSARO_TEST_MODULE;
    request.outputPng = folder / "out.png";
    request.size = "8x4";
    request.sets = std::move(sets);
    return request;
  }
  static size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
  }

  static caller::PluginModule* held;  // keeps the module the render command loads again, and its switches
  static TestEffectControl* control;
  caller::TempFolder folder;
  std::vector<std::string> readBack;
};
caller::PluginModule* PreviewHostCalls::held = nullptr;
TestEffectControl* PreviewHostCalls::control = nullptr;

TEST_F(PreviewHostCalls, EachFrameIsOneProcessCallAfterOneConnect) {
  RenderRequest request = Request({});
  request.frames = 3;
  ASSERT_TRUE(preview::RenderToPng(request, readBack).ok());
  const std::string log = control->log;
  EXPECT_EQ(Count(log, "Connect;"), 1u);
  EXPECT_EQ(Count(log, "ProcessOpenGL;"), 3u);
  EXPECT_TRUE(Contains(log, "InitGL;Connect;ProcessOpenGL;ProcessOpenGL;ProcessOpenGL;Disconnect;DeInitGL;Destroy;"))
      << log;
  EXPECT_EQ(control->liveInstances, 0);  // instance and prototype both ended
}

TEST_F(PreviewHostCalls, TextGoesThroughTheTextRouteAndNumbersThroughTheFloatOne) {
  ASSERT_TRUE(preview::RenderToPng(Request({"Name=hello there", "Global Position=on", "UV=Quad",
                                            "A Name Of 20 Cha=0.25"}),
                                   readBack)
                  .ok());
  const std::string log = control->log;
  // Instantiation sends every default first; the settings follow in order.
  EXPECT_TRUE(Contains(log, "SetText3;SetFloat4;SetFloat5;InitGL;SetText3;SetFloat4;SetFloat2;SetFloat5;")) << log;
  EXPECT_EQ(readBack, (std::vector<std::string>{"Name = \"hello there\"", "Global Position = 1 (1.000000)",
                                                "UV = 3 \"Quad\"", "A Name Of 20 Cha = 0.25 (0.250000)"}));
}

TEST_F(PreviewHostCalls, ModuleThatFailsToInstantiateIsReported) {
  control->initGLFails = true;
  CommandStatus status = preview::RenderToPng(Request({}), readBack);
  EXPECT_EQ(status.exitCode, preview::kExitModule);
  EXPECT_EQ(status.message, "the module failed to instantiate (code 18) for a 8x4 viewport");
  EXPECT_FALSE(std::filesystem::exists(folder / "out.png"));
  EXPECT_EQ(control->liveInstances, 0);

  control->initGLFails = false;
  control->factoryFails = true;
  status = preview::RenderToPng(Request({}), readBack);
  EXPECT_EQ(status.exitCode, preview::kExitModule);
  EXPECT_EQ(status.message, "the module could not build its parameter descriptions (code 4 failed)");
}

}  // namespace
