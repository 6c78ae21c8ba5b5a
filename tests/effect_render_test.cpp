// The render pass as a host sees it through plugMain of the built module, and, in process, what only the
// instance shows: the uniforms of the symmetry pass, what reaches the quad buffer, and the refresh counter.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "effect/qm_plugin.h"
#include "glsupport/gl.h"
#include "host/plugin_abi.h"
#include "tools/caller/documents_folder.h"
#include "tests/support/gl_call_spy.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/host_context.h"
#include "tests/support/in_process_module.h"
#include "tests/support/preset_writer.h"
#include "tests/support/upload_recorder.h"
#include "tests/support/qm_plugin_inside.h"
#include "tools/caller/gl_context.h"
#include "tools/caller/plugin_module.h"


namespace {

constexpr int kW = 64;  // viewport, render target and input picture: 64 x 36, aspect 16:9
constexpr int kH = 36;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

using Rgba = std::array<int, 4>;

// Texel (i, j) of the input, j counted from the bottom row: red encodes the column, green the row. All
// channels are even, so that halving them (opacity 0.5) gives whole values.
Rgba Texel(int i, int j) { return {4 * i + 2, 6 * j + 2, 40, 255}; }
Rgba Halved(const Rgba& c) { return {c[0] / 2, c[1] / 2, c[2] / 2, c[3] / 2}; }
const Rgba kBackground = {0, 0, 102, 255};  // the host's frame before the effect: cleared to (0, 0, 0.4, 1)
const Rgba kTransparent = {0, 0, 0, 0};
const Rgba kMagenta = {255, 0, 255, 255};

// An RGBA picture of w x h texels, bottom row first; texels outside the used w x h part are magenta.
std::vector<uint8_t> Gradient(int textureWidth, int textureHeight) {
  std::vector<uint8_t> pixels;
  for (int j = 0; j < textureHeight; ++j) {
    for (int i = 0; i < textureWidth; ++i) {
      const Rgba c = i < kW && j < kH ? Texel(i, j) : kMagenta;
      for (int value : c) pixels.push_back(static_cast<uint8_t>(value));
    }
  }
  return pixels;
}

// A read-back frame, addressed with x from the left and y from the bottom.
struct Image {
  std::vector<uint8_t> bytes;
  Rgba At(int x, int y) const {
    const size_t at = (static_cast<size_t>(y) * kW + static_cast<size_t>(x)) * 4;
    return {bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]};
  }
};

// A slice whose input and output rectangles are both (x0, y0)-(x1, y1), in pixels with y growing downwards.
struct SliceSpec {
  const char* name;
  int x0, y0, x1, y1;
};

// A preset with one screen "Main" whose entries are listed as: the screen entry, then `listed` in order. No
// slices: an empty list.
std::string PresetXml(const std::vector<SliceSpec>& listed) {
  std::vector<testsupport::PresetSlice> slices;
  for (const SliceSpec& s : listed) {
    const testsupport::PresetCorners box = testsupport::Box(static_cast<float>(s.x0), static_cast<float>(s.y0),
                                                            static_cast<float>(s.x1), static_cast<float>(s.y1));
    slices.push_back({s.name, box, box});
  }
  testsupport::PresetStyle style;
  style.documentName = "Render";
  return testsupport::PresetXml(testsupport::ScreenListing("Main", slices), style);
}

// The standard list: 1 the screen entry, 2 "TopLeft" (the top-left quarter), 3 "Centre" (the middle quarter).
const SliceSpec kTopLeft = {"TopLeft", 0, 0, 32, 18};
const SliceSpec kCentre = {"Centre", 16, 9, 48, 27};
const SliceSpec kTopLeftMoved = {"TopLeft", 32, 18, 64, 36};  // the same slice moved to the bottom-right quarter

// The home folder with the preset and the loaded module, shared by every test of this file and released
// after the last one.
struct SharedHost {
  std::unique_ptr<caller::DocumentsFolder> documents;
  std::unique_ptr<caller::PluginModule> module;
};

SharedHost& Shared() {
  static SharedHost shared;
  return shared;
}

class ReleaseSharedHost : public ::testing::Environment {
 public:
  void TearDown() override {
    if (Shared().module) Shared().module->Deinitialise();
    Shared().module.reset();
    Shared().documents.reset();
  }
};
::testing::Environment* const releaseSharedHost = ::testing::AddGlobalTestEnvironment(new ReleaseSharedHost);

// What every test of this file starts from: the GL context current, the standard preset as the newest file, a
// cleared 64 x 36 render target and the gradient input.
class RenderTest : public testsupport::GlTest {
 protected:
  static void SetUpTestSuite() {
    testsupport::GlTest::SetUpTestSuite();
    if (!Shared().documents) Shared().documents = std::make_unique<caller::DocumentsFolder>();
    if (!Shared().module) {
      Shared().module = std::make_unique<caller::PluginModule>();
      Shared().module->Load(MOSARO_PRODUCT_MODULE);
    }
    module = Shared().module.get();
  }

  void SetUp() override {
    testsupport::GlTest::SetUp();
    ASSERT_TRUE(module->loaded()) << module->error();
    WritePreset({kTopLeft, kCentre});
    target = std::make_unique<caller::RenderTarget>(kW, kH);
    ASSERT_TRUE(target->complete());
    input = std::make_unique<caller::Texture>(kW, kH, Gradient(kW, kH));
    record = TextureRecord{kW, kH, kW, kH, input->name()};
  }

  // Rewrites the preset file with a last-write time later than every earlier one.
  static void WritePreset(const std::vector<SliceSpec>& listed) {
    static int64_t modified = 1700000000000;
    modified += 1000;
    Shared().documents->WritePreset("Host", "mapping.xml", PresetXml(listed), modified);
  }

  // Clears the host's frame to the background colour, then lets the effect draw one frame with `texture`.
  uint32_t DrawFrame(void* instance, TextureRecord* texture, bool viaModule) {
    target->Clear(0.0f, 0.0f, 0.4f, 1.0f);
    TextureRecord* textures[1] = {texture};
    FrameRecord frame{1, textures};
    if (viaModule) return module->ProcessFrame(instance, &frame);
    return static_cast<uint32_t>(testsupport::InProcess().Call(kProcessOpenGL, AddressOf(&frame), instance));
  }

  Image Read() const { return Image{target->ReadPixels()}; }
  Rgba PixelAt(int x, int y) const {
    const std::vector<uint8_t> p = target->ReadPixel(x, y);
    return {p[0], p[1], p[2], p[3]};
  }

  static caller::PluginModule* module;
  std::unique_ptr<caller::RenderTarget> target;
  std::unique_ptr<caller::Texture> input;
  TextureRecord record{};
};
caller::PluginModule* RenderTest::module = nullptr;

// An instance of the built module, driven through its exported plugMain alone.
class RenderPass : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (HasFatalFailure()) return;
    const ViewportRecord viewport{0, 0, kW, kH};
    instance = module->Instantiate(&viewport);
    ASSERT_NE(instance, nullptr);
    target->Bind();
  }
  void TearDown() override {
    if (instance) {
      EXPECT_EQ(module->DeInstantiate(instance), 0u);
    }
  }

  static uint32_t Index(const std::string& name) {
    static std::map<std::string, uint32_t> known;
    auto found = known.find(name);
    if (found != known.end()) return found->second;
    const int64_t index = module->FindParameter(name);
    EXPECT_GE(index, 0) << name;
    return known[name] = static_cast<uint32_t>(index);
  }
  void Set(const std::string& name, float value) {
    EXPECT_EQ(module->SetFloat(instance, Index(name), value), 0u) << name;
  }
  float Get(const std::string& name) { return module->GetFloat(instance, Index(name)); }

  // Layer 1 as a free quad of w x h pixels at the position, showing the same share of the input.
  void FreeQuad(float w, float h, float x = 0.0f, float y = 0.0f) {
    Set("Width 1", w);
    Set("Height 1", h);
    Set("Position X 1", x);
    Set("Position Y 1", y);
  }
  uint32_t Frame() { return DrawFrame(instance, &record, true); }
  Image Draw() {
    EXPECT_EQ(Frame(), 0u);
    return Read();
  }
  void RunFrames(int count) {
    for (int i = 0; i < count; ++i) ASSERT_EQ(Frame(), 0u);
  }

  void* instance = nullptr;
};

// Checks every pixel: inside [x0, x1] x [y0, y1] it must be inside(x, y), elsewhere outside(x, y).
template <typename Inside, typename Outside>
void ExpectPixels(const Image& image, int x0, int x1, int y0, int y1, Inside inside, Outside outside) {
  int wrong = 0;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      const bool in = x >= x0 && x <= x1 && y >= y0 && y <= y1;
      const Rgba expected = in ? inside(x, y) : outside(x, y);
      if (image.At(x, y) != expected && ++wrong <= 5) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << ::testing::PrintToString(image.At(x, y))
                      << ", expected " << ::testing::PrintToString(expected);
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

// The same with one colour everywhere outside the quad.
template <typename Inside>
void ExpectQuad(const Image& image, int x0, int x1, int y0, int y1, Inside inside, const Rgba& outside) {
  ExpectPixels(image, x0, x1, y0, y1, inside, [&outside](int, int) { return outside; });
}

int Floor(float value) { return static_cast<int>(std::floor(value)); }

TEST_F(RenderPass, AWholeFrameQuadShowsEveryTexelInPlace) {
  FreeQuad(kW, kH);
  ExpectQuad(Draw(), 0, kW - 1, 0, kH - 1, Texel, kBackground);
}

TEST_F(RenderPass, FreeQuadsCoverExactlyTheirPixelsAndShowTheirShareOfTheInput) {
  FreeQuad(32, 18);  // centred: x -0.5..0.5, y -0.5..0.5
  ExpectQuad(Draw(), 16, 47, 9, 26, Texel, kBackground);

  FreeQuad(32, 18, 8, 4);  // 8 pixels right and 4 down; the window stays the middle of the input
  ExpectQuad(
      Draw(), 24, 55, 5, 22, [](int x, int y) { return Texel(x - 8, y + 4); }, kBackground);

  Set("Global Position", 1);  // Top Left: the position names the quad's top-left corner
  FreeQuad(32, 18);
  ExpectQuad(
      Draw(), 0, 31, 18, 35, [](int x, int y) { return Texel(x + 16, y - 9); }, kBackground);
}

TEST_F(RenderPass, ScaleInZoomsTheWindowAboutTheMiddleOfTheInput) {
  FreeQuad(kW, kH);
  Set("Scale In 1", 0.2f);  // twice the zoom: the middle half of the input fills the frame
  ExpectQuad(
      Draw(), 0, kW - 1, 0, kH - 1, [](int x, int y) { return Texel(16 + x / 2, 9 + y / 2); }, kBackground);
}

TEST_F(RenderPass, SliceOutputPlacesTheQuadOnTheSliceWhateverTheFreeSettings) {
  FreeQuad(8, 8, 100, -50);
  Set("Rotate Out 1", 30);
  Set("Slice Output 1", 3);  // Centre
  ExpectQuad(Draw(), 16, 47, 9, 26, Texel, kBackground);

  Set("Slice Output 1", 2);  // TopLeft: the quad's window is still the middle of the input
  ExpectQuad(
      Draw(), 0, 31, 18, 35, [](int x, int y) { return Texel(x + 16, y - 9); }, kBackground);

  Set("Slice Output 1", 1);  // the screen entry: all points 0, the quad collapses and draws nothing
  ExpectQuad(Draw(), 0, -1, 0, -1, Texel, kBackground);
}

TEST_F(RenderPass, SliceSampleMapsTheSampleSliceOntoTheOutputSlice) {
  Set("Slice Output 1", 3);  // Centre
  Set("Slice Sample 1", 2);  // TopLeft: the window moves by the distance between the two slices' centres
  ExpectQuad(
      Draw(), 16, 47, 9, 26, [](int x, int y) { return Texel(x + 16, y - 9); }, kBackground);
}

TEST_F(RenderPass, RotateInTurnsThePictureClockwiseAboutTheWindowCentre) {
  FreeQuad(kW, kH);
  Set("Rotate In 1", 90);
  const Image image = Draw();
  // Offset o of a pixel centre from the frame centre (32, 18) shows the texel at (32 - o.y, 18 + o.x):
  // what lay above the centre now lies to its right, one input pixel per frame pixel in both directions.
  for (int y = 4; y <= 32; ++y)
    for (int x = 20; x <= 44; ++x) ASSERT_EQ(image.At(x, y), Texel(49 - y, x - 14)) << x << ", " << y;
}

TEST_F(RenderPass, KaleidoscopeTwoMirrorsTheUpperHalfIntoTheLowerHalf) {
  FreeQuad(kW, kH);
  Set("Kaleidoscope 1", 2);
  ExpectQuad(
      Draw(), 0, kW - 1, 0, kH - 1, [](int x, int y) { return y >= 18 ? Texel(x, y) : Texel(x, 35 - y); }, kBackground);
}

TEST_F(RenderPass, UvModeDecidesWhatShowsWhereTheWindowReachesPastThePicture) {
  FreeQuad(kW, kH);
  Set("Scale In 1", 0.04f);  // the window spans 2.5 pictures: u from -0.75 to 1.75, v likewise
  // Pixel column x samples u * 64 = 2.5 x - 46.75; row 18 samples v * 36 = 19.25 (row 19).
  const struct {
    float mode;
    Rgba left, middle, right;  // columns 8 (u * 64 = -26.75), 32 (33.25), 60 (103.25)
  } cases[] = {
      {0, Texel(0, 19), Texel(33, 19), Texel(63, 19)},   // Clamp: the edge texels stretch
      {1, Texel(37, 19), Texel(33, 19), Texel(39, 19)},  // Repeat: 64 - 26.75, 103.25 - 64
      {2, Texel(26, 19), Texel(33, 19), Texel(24, 19)},  // Unfold: 26.75, 128 - 103.25
      {3, kTransparent, Texel(33, 19), kTransparent},    // Quad: transparency around the one picture
  };
  for (const auto& c : cases) {
    Set("UV", c.mode);
    const Image image = Draw();
    EXPECT_EQ(image.At(8, 18), c.left) << "mode " << c.mode;
    EXPECT_EQ(image.At(32, 18), c.middle) << "mode " << c.mode;
    EXPECT_EQ(image.At(60, 18), c.right) << "mode " << c.mode;
  }
}

TEST_F(RenderPass, LimitsCropThePictureTowardsTheWindowCentre) {
  FreeQuad(kW, kH);
  Set("Limit X", 0.5f);  // keeps the middle half: columns 16 to 47
  ExpectQuad(Draw(), 16, 47, 0, kH - 1, Texel, kTransparent);
  Set("Limit Y", 0.5f);  // and rows 9 to 26
  ExpectQuad(Draw(), 16, 47, 9, 26, Texel, kTransparent);
}

TEST_F(RenderPass, OpacityHalvesAndAlphaDecidesBetweenOverwritingAndBlending) {
  FreeQuad(32, 18);
  Set("Opacity 1", 0.5f);
  // Alpha off: the half-strength picture replaces the frame. Its alpha, 255 * 0.5 = 127.5, may round
  // either way when stored in 8 bits.
  Image image = Draw();
  for (int y = 9; y <= 26; ++y)
    for (int x = 16; x <= 47; ++x) {
      const Rgba expected = Halved(Texel(x, y));
      const Rgba got = image.At(x, y);
      ASSERT_EQ((Rgba{got[0], got[1], got[2], 0}), (Rgba{expected[0], expected[1], expected[2], 0})) << x << ", " << y;
      ASSERT_NEAR(got[3], 127.5, 0.5) << x << ", " << y;
    }
  EXPECT_EQ(image.At(15, 9), kBackground);

  // Alpha on: premultiplied over the frame, one and one-minus-source-alpha: blue 20 + 102 / 2, alpha 1.
  Set("Alpha 1", 1);
  image = Draw();
  for (int y = 9; y <= 26; ++y)
    for (int x = 16; x <= 47; ++x) {
      const Rgba half = Halved(Texel(x, y));
      ASSERT_EQ(image.At(x, y), (Rgba{half[0], half[1], 20 + 51, 255})) << x << ", " << y;
    }

  Set("Opacity 1", 1);  // opaque with Alpha on covers the frame just as without
  ExpectQuad(Draw(), 16, 47, 9, 26, Texel, kBackground);
}

TEST_F(RenderPass, OnlyALayerWhoseEnableIsExactlyOneIsDrawn) {
  FreeQuad(kW, kH);
  Set("Enable 1", 0);
  ExpectQuad(Draw(), 0, -1, 0, -1, Texel, kBackground);
  Set("Enable 1", 0.5f);
  ExpectQuad(Draw(), 0, -1, 0, -1, Texel, kBackground);

  // Layers draw in order: layer 2, zoomed, lies over layer 1 where they overlap.
  Set("Enable 1", 1);
  Set("Enable 2", 1);
  Set("Width 2", 32);
  Set("Height 2", 18);
  Set("Scale In 2", 0.2f);
  ExpectPixels(
      Draw(), 16, 47, 9, 26,
      [](int x, int y) { return Texel(Floor(24.25f + 0.5f * (x - 16)), Floor(13.75f + 0.5f * (y - 9))); }, Texel);

  // The first, a middle and the last layer, each enabled alone, draws its own quad (k - 12 pixels right).
  Set("Enable 2", 0);
  for (int k : {1, 12, 24}) {
    for (int other : {1, 12, 24}) Set("Enable " + std::to_string(other), other == k ? 1.0f : 0.0f);
    Set("Width " + std::to_string(k), 32);
    Set("Height " + std::to_string(k), 18);
    Set("Position X " + std::to_string(k), static_cast<float>(k - 12));
    ExpectQuad(
        Draw(), 4 + k, 35 + k, 9, 26, [k](int x, int y) { return Texel(x - k + 12, y); }, kBackground);
  }
}

// Pixel centre offset from a quad centre (cx, 18).
float Ox(int x, int cx) { return static_cast<float>(x) + 0.5f - static_cast<float>(cx); }
float Oy(int y) { return static_cast<float>(y) + 0.5f - 18.0f; }

// Layer 1 as a 16 x 18 quad centred at x = 16 (columns 8 to 23), turned 90 degrees inside: its picture is the
// middle 16 x 18 texels of the input, turned about texel position (cu, 18).
class SymmetryPass : public RenderPass {
 protected:
  void SetUp() override {
    RenderPass::SetUp();
    if (HasFatalFailure()) return;
    FreeQuad(16, 18, -16, 0);
    Set("Rotate In 1", 90);
  }
  static Rgba Turned(int x, int y, int cx, float cu) { return Texel(Floor(cu - Oy(y)), Floor(18 + Ox(x, cx))); }
  static Rgba TurnedBack(int x, int y, int cx, float cu) { return Texel(Floor(cu + Oy(y)), Floor(18 - Ox(x, cx))); }
};

TEST_F(SymmetryPass, MirrorDrawsASecondCopyAtTheMirroredPositionTurnedTheOtherWay) {
  Set("Symmetry 1", 1);
  const Image image = Draw();
  for (int y = 9; y <= 26; ++y) {
    for (int x = 8; x <= 23; ++x) ASSERT_EQ(image.At(x, y), Turned(x, y, 16, 32)) << x << ", " << y;
    for (int x = 40; x <= 55; ++x) ASSERT_EQ(image.At(x, y), TurnedBack(x, y, 48, 32)) << x << ", " << y;
    for (int x = 24; x <= 39; ++x) ASSERT_EQ(image.At(x, y), kBackground) << x << ", " << y;
  }
  EXPECT_EQ(image.At(48, 8), kBackground);
  EXPECT_EQ(image.At(48, 27), kBackground);

  Set("Symmetry 1", 0);  // Off: one draw only
  ExpectQuad(
      Draw(), 8, 23, 9, 26, [](int x, int y) { return Turned(x, y, 16, 32); }, kBackground);

  // Rotate Out turns the copy the other way: a long quad turned 30 degrees covers the mirror image of the first.
  Set("Symmetry 1", 1);
  FreeQuad(24, 6, -16, 0);
  Set("Rotate Out 1", 30);
  const Image turned = Draw();
  int covered = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW / 2; ++x) {
      const bool left = turned.At(x, y) != kBackground;
      covered += left ? 1 : 0;
      ASSERT_EQ(left, turned.At(kW - 1 - x, y) != kBackground) << x << ", " << y;
    }
  EXPECT_GT(covered, 120);
}

TEST_F(SymmetryPass, FlippedShowsTheCopyMirroredWithTheSameTurn) {
  Set("Symmetry 1", 2);
  const Image image = Draw();
  for (int y = 9; y <= 26; ++y) {
    for (int x = 8; x <= 23; ++x) ASSERT_EQ(image.At(x, y), Turned(x, y, 16, 32)) << x << ", " << y;
    // The window's u runs right to left: offset (-o.x, o.y), turned by +90 degrees.
    for (int x = 40; x <= 55; ++x)
      ASSERT_EQ(image.At(x, y), Texel(Floor(32 - Oy(y)), Floor(18 - Ox(x, 48)))) << x << ", " << y;
  }
}

TEST_F(SymmetryPass, SampleFlipNegatesTheShiftOfTheWindowAndOfTheTurningCentre) {
  Set("Sample X 1", 0.125f);  // the first copy shows texels about u = 0.375, the second about u = 0.625
  Set("Symmetry 1", 3);
  const Image image = Draw();
  for (int y = 9; y <= 26; ++y) {
    for (int x = 8; x <= 23; ++x) ASSERT_EQ(image.At(x, y), Turned(x, y, 16, 24)) << x << ", " << y;
    for (int x = 40; x <= 55; ++x) ASSERT_EQ(image.At(x, y), TurnedBack(x, y, 48, 40)) << x << ", " << y;
  }
}

TEST_F(RenderPass, OnASliceMirrorKeepsThePictureTheRightWayRoundAndFlippedMirrorsIt) {
  Set("Slice Output 1", 2);  // TopLeft, mirrored onto the top-right quarter
  Set("Symmetry 1", 1);
  ExpectQuad(
      Draw(), 0, 63, 18, 35, [](int x, int y) { return x < 32 ? Texel(x + 16, y - 9) : Texel(x - 16, y - 9); },
      kBackground);
  Set("Symmetry 1", 2);
  ExpectQuad(
      Draw(), 0, 63, 18, 35, [](int x, int y) { return x < 32 ? Texel(x + 16, y - 9) : Texel(79 - x, y - 9); },
      kBackground);
}

// Whether layer 1, placed on TopLeft, shows in the top-left quarter (true) or the bottom-right one (false).
class LiveUpdate : public RenderPass {
 protected:
  void SetUp() override {
    RenderPass::SetUp();
    if (HasFatalFailure()) return;
    Set("Slice Output 1", 2);
  }
  void ExpectTopLeftAt(bool topLeft, const char* when) {
    const Rgba inTopLeft = PixelAt(8, 30);
    const Rgba inBottomRight = PixelAt(40, 8);
    if (topLeft) {
      EXPECT_EQ(inTopLeft, Texel(24, 21)) << when;
      EXPECT_EQ(inBottomRight, kBackground) << when;
    } else {
      EXPECT_EQ(inTopLeft, kBackground) << when;
      EXPECT_EQ(inBottomRight, Texel(24, 17)) << when;
    }
  }
};

TEST_F(LiveUpdate, RereadsThePresetOnThe59thFrameAndThenEvery59) {
  WritePreset({kTopLeftMoved, kCentre});
  RunFrames(58);
  ExpectTopLeftAt(true, "frame 58");
  RunFrames(1);
  ExpectTopLeftAt(false, "frame 59");

  WritePreset({kTopLeft, kCentre});
  RunFrames(58);
  ExpectTopLeftAt(false, "frame 117");
  RunFrames(1);
  ExpectTopLeftAt(true, "frame 118");
}

TEST_F(LiveUpdate, SwitchedOffTheCountStandsStillAndResumesWhereItStopped) {
  RunFrames(20);
  Set("Live Update", 0);
  WritePreset({kTopLeftMoved, kCentre});
  RunFrames(100);
  ExpectTopLeftAt(true, "100 frames with live update off");
  Set("Live Update", 1);
  RunFrames(38);
  ExpectTopLeftAt(true, "20 + 38 counted frames");
  RunFrames(1);
  ExpectTopLeftAt(false, "20 + 39 counted frames");
}

TEST_F(LiveUpdate, FramesWithoutAnInputFailDrawNothingAndAreNotCounted) {
  WritePreset({kTopLeftMoved, kCentre});
  RunFrames(30);
  TextureRecord* none[1] = {nullptr};
  const FrameRecord withoutTextures[] = {{0, none}, {1, none}, {1, nullptr}};
  for (int i = 0; i < 10; ++i) {
    target->Clear(0.0f, 0.0f, 0.4f, 1.0f);
    const FrameRecord& frame = withoutTextures[i % 3];
    EXPECT_EQ(module->ProcessFrame(instance, &frame), kStatusFailure);
  }
  ExpectQuad(Read(), 0, -1, 0, -1, Texel, kBackground);
  RunFrames(28);
  ExpectTopLeftAt(true, "58 frames with an input");
  RunFrames(1);
  ExpectTopLeftAt(false, "59 frames with an input");
}

TEST_F(LiveUpdate, AChoicePastAShrunkListBecomesNoneInTheSameFrame) {
  Set("Slice Output 1", 3);  // Centre
  Set("Slice Sample 1", 3);
  FreeQuad(16, 18, -24, 0);  // placed freely: columns 0 to 15
  WritePreset({kTopLeft});   // two entries left
  RunFrames(58);
  EXPECT_EQ(Get("Slice Output 1"), 3.0f);
  EXPECT_EQ(PixelAt(32, 18), Texel(32, 18));
  RunFrames(1);
  EXPECT_EQ(Get("Slice Output 1"), 0.0f);
  EXPECT_EQ(Get("Slice Sample 1"), 0.0f);
  ExpectQuad(
      Read(), 0, 15, 9, 26, [](int x, int y) { return Texel(x + 24, y); }, kBackground);

  // The reset is the layer's choice from then on: a list that grows back does not bring the slice back.
  WritePreset({kTopLeft, kCentre});
  RunFrames(59);
  EXPECT_EQ(Get("Slice Output 1"), 0.0f);
  ExpectQuad(
      Read(), 0, 15, 9, 26, [](int x, int y) { return Texel(x + 24, y); }, kBackground);
}

TEST_F(LiveUpdate, AnEmptyListLeavesTheChoiceAloneAndPlacesTheLayerFreely) {
  FreeQuad(16, 18, -24, 0);
  WritePreset({});
  RunFrames(59);
  EXPECT_EQ(Get("Slice Output 1"), 2.0f);
  ExpectQuad(
      Read(), 0, 15, 9, 26, [](int x, int y) { return Texel(x + 24, y); }, kBackground);
}

TEST_F(RenderPass, OnlyTheUsedPartOfALargerInputTextureIsSampled) {
  // A 128 x 64 texture holding the 64 x 36 picture in its lower-left corner, magenta around it.
  caller::Texture large(128, 64, Gradient(128, 64));
  record = TextureRecord{kW, kH, 128, 64, large.name()};
  FreeQuad(kW, kH);
  ExpectQuad(Draw(), 0, kW - 1, 0, kH - 1, Texel, kBackground);

  // Reaching past the picture's edges, clamped or turned and repeated, never shows the rest of the texture.
  Set("Scale In 1", 0.04f);
  Set("UV", 0);
  Image image = Draw();
  EXPECT_EQ(image.At(60, 18), Texel(63, 19));
  EXPECT_EQ(image.At(32, 34), Texel(33, 35));
  Set("UV", 1);
  Set("Rotate In 1", 45);
  image = Draw();
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) ASSERT_NE(image.At(x, y)[1], 0) << "magenta at " << x << ", " << y;
}

TEST_F(RenderPass, AnInputWithoutHardwareSizesIsTakenAsExactlyThePicture) {
  record.hardwareWidth = 0;
  record.hardwareHeight = 0;
  FreeQuad(kW, kH);
  ExpectQuad(Draw(), 0, kW - 1, 0, kH - 1, Texel, kBackground);
  Set("Rotate In 1", 90);  // turning keeps the input's pixel proportions, which need its size
  const Image image = Draw();
  EXPECT_EQ(image.At(40, 18), Texel(31, 26));
  EXPECT_EQ(image.At(24, 10), Texel(39, 10));
}

GLint Integer(GLenum name) {
  GLint value = -1;
  glGetIntegerv(name, &value);
  return value;
}

TEST_F(RenderPass, TheHostGetsItsContextBackInDefaultState) {
  // The host left unit 3 active with a texture of its own there; blending and a buffer are its business.
  while (glGetError() != GL_NO_ERROR) {
  }
  caller::Texture hostTexture(1, 1, {255, 255, 255, 255});
  glActiveTexture(GL_TEXTURE3);
  glBindTexture(GL_TEXTURE_2D, hostTexture.name());
  FreeQuad(kW, kH);
  Set("Alpha 1", 1);
  target->Bind();
  const GLint hostFramebuffer = Integer(GL_DRAW_FRAMEBUFFER_BINDING);
  const Image image = Draw();
  EXPECT_EQ(image.At(5, 7), Texel(5, 7)) << "the input is sampled from unit 0";
  EXPECT_EQ(image.At(60, 30), Texel(60, 30));

  const std::vector<std::string> changes = testsupport::ContextChangesSinceTheHostLeftIt(hostFramebuffer, kW, kH);
  EXPECT_TRUE(changes.empty()) << testsupport::Joined(changes);
  glActiveTexture(GL_TEXTURE3);
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(hostTexture.name())) << "unit 3 is untouched";
  glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(GL_TEXTURE0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// ---- In process: the instance's own members, and GL calls the host cannot see. ----

using testsupport::AllFinite;
using testsupport::UploadRecorder;
using testsupport::Uploads;

// An instance made through the in-process entry point, so that its members can be looked at.
class RenderPassInside : public RenderTest {
 protected:
  static void TearDownTestSuite() { testsupport::InProcess().Call(kDeinitialise, 0, nullptr); }
  void SetUp() override {
    RenderTest::SetUp();
    if (HasFatalFailure()) return;
    const testsupport::InProcessEffect made = testsupport::InstantiateEffect({0, 0, kW, kH});
    instance = made.handle;
    plugin = made.effect;
    ASSERT_NE(plugin, nullptr);
    target->Bind();
  }
  void TearDown() override {
    if (instance) {
      EXPECT_EQ(testsupport::InProcess().Call(kDeInstantiateGL, 0, instance), 0u);
    }
  }

  void Set(int32_t layer, int32_t slot, float value) {
    EXPECT_EQ(plugin->SetFloatParameter(static_cast<uint32_t>(plugin->LayerParamIndex(layer, slot)), value), 0u);
  }
  void SetGlobal(uint32_t index, float value) { EXPECT_EQ(plugin->SetFloatParameter(index, value), 0u); }
  // Layer k as a free w x h quad at the position.
  void FreeQuad(int32_t k, float w, float h, float x, float y) {
    Set(k, kSlotEnable, 1);
    Set(k, kSlotWidth, w);
    Set(k, kSlotHeight, h);
    Set(k, kSlotPositionX, x);
    Set(k, kSlotPositionY, y);
  }
  uint32_t Frame() { return DrawFrame(instance, &record, false); }

  std::vector<float> Uniform(const glsupport::ShaderProgram& program, const char* name, int count) {
    std::vector<float> values(static_cast<size_t>(count), -1.0f);
    const GLint location = glGetUniformLocation(program.program(), name);
    EXPECT_GE(location, 0) << name;
    glGetUniformfv(program.program(), location, values.data());
    return values;
  }

  void* instance = nullptr;
  QmPlugin* plugin = nullptr;
};

TEST_F(RenderPassInside, LayerUniformsAndTheirValuesOnTheSymmetryPass) {
  caller::Texture large(128, 64, Gradient(128, 64));
  record = TextureRecord{kW, kH, 128, 64, large.name()};
  Set(1, kSlotRotateIn, 30);
  Set(1, kSlotSampleX, 0.25f);
  Set(1, kSlotSampleY, 0.125f);
  Set(1, kSlotOpacity, 0.75f);
  Set(1, kSlotKaleidoscope, 5);
  SetGlobal(9, 3);      // UV: Quad
  SetGlobal(2, 0.25f);  // Limit X
  SetGlobal(3, 0.5f);   // Limit Y
  ASSERT_EQ(Frame(), 0u);
  const glsupport::ShaderProgram& layer = testsupport::Inside(plugin).layerProgram;
  EXPECT_EQ(Uniform(layer, "rot", 1), std::vector<float>{30.0f});
  EXPECT_EQ(Uniform(layer, "shift", 2), (std::vector<float>{0.25f, 0.125f}));
  EXPECT_EQ(Uniform(layer, "op", 1), std::vector<float>{0.75f});
  EXPECT_EQ(Uniform(layer, "kaleido", 1), std::vector<float>{5.0f});
  EXPECT_EQ(Uniform(layer, "uv_mode", 1), std::vector<float>{3.0f});
  EXPECT_EQ(Uniform(layer, "limitx", 1), std::vector<float>{0.25f});
  EXPECT_EQ(Uniform(layer, "limity", 1), std::vector<float>{0.5f});
  EXPECT_EQ(Uniform(layer, "aliased", 1), std::vector<float>{0.0f});
  EXPECT_EQ(Uniform(layer, "link", 1), std::vector<float>{0.0f});
  const QmPluginInside inside = testsupport::Inside(plugin);
  for (const glsupport::ShaderProgram* program : {&inside.layerProgram, &inside.overlayProgram}) {
    EXPECT_EQ(Uniform(*program, "HardwareSize", 2), (std::vector<float>{128.0f, 64.0f}));
    EXPECT_EQ(Uniform(*program, "MaxUV", 2), (std::vector<float>{0.5f, 0.5625f}));
    GLint unit = -1;
    glGetUniformiv(program->program(), glGetUniformLocation(program->program(), "inputTexture"), &unit);
    EXPECT_EQ(unit, 0);
  }

  // The values left after the frame are those of the symmetry pass, the last draw.
  const struct { float symmetry, rot, shiftX; } passes[] = {{1, -30, 0.25f}, {2, 30, 0.25f}, {3, -30, -0.25f}};
  for (const auto& pass : passes) {
    Set(1, kSlotSymmetry, pass.symmetry);
    ASSERT_EQ(Frame(), 0u);
    EXPECT_EQ(Uniform(layer, "rot", 1), std::vector<float>{pass.rot}) << "symmetry " << pass.symmetry;
    EXPECT_EQ(Uniform(layer, "shift", 2), (std::vector<float>{pass.shiftX, 0.125f})) << "symmetry " << pass.symmetry;
  }

  // A texture whose hardware sizes are reported as 0 is taken to be exactly the picture.
  record = TextureRecord{kW, kH, 0, 0, input->name()};
  ASSERT_EQ(Frame(), 0u);
  for (const glsupport::ShaderProgram* program : {&inside.layerProgram, &inside.overlayProgram}) {
    EXPECT_EQ(Uniform(*program, "HardwareSize", 2), (std::vector<float>{64.0f, 36.0f}));
    EXPECT_EQ(Uniform(*program, "MaxUV", 2), (std::vector<float>{1.0f, 1.0f}));
  }

  // The pass draws with what the parameter objects hold, however they came to hold it: a value stored
  // straight into the object, and a symmetry past the elements that the option turns into "Off".
  testsupport::Inside(plugin).layers[0].opacity->SetValue(0.5f);
  Set(1, kSlotSymmetry, 9);
  ASSERT_EQ(Frame(), 0u);
  EXPECT_EQ(Uniform(layer, "op", 1), std::vector<float>{0.5f});
  EXPECT_EQ(Uniform(layer, "rot", 1), std::vector<float>{30.0f}) << "no symmetry pass";
  for (uint32_t i = 0; i < plugin->Params().size(); ++i) {
    const float held = plugin->GetFloatParameter(i);
    EXPECT_EQ(std::memcmp(&plugin->Values()[i], &held, sizeof held), 0) << i;
  }
}

TEST_F(RenderPassInside, EachQuadIsUploadedWithAnOrphaningWriteMap) {
  FreeQuad(1, 32, 18, 0, 0);
  testsupport::GlCallSpy spy;
  UploadRecorder recorder;
  ASSERT_EQ(Frame(), 0u);
  EXPECT_EQ(Uploads().target, static_cast<GLenum>(GL_ARRAY_BUFFER));
  EXPECT_EQ(Uploads().offset, 0);
  EXPECT_EQ(Uploads().length, 120);
  EXPECT_EQ(Uploads().access, static_cast<GLbitfield>(GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT));
  ASSERT_EQ(Uploads().uploads.size(), 2u);  // the layer, then the overlay
  const std::vector<QuadVertex>& layer = Uploads().uploads[0];
  EXPECT_EQ(std::memcmp(layer.data(), testsupport::Inside(plugin).quadGeometry.vertices, 120), 0);
  EXPECT_NEAR(layer[0].x, -0.5f, 1e-6f);
  EXPECT_NEAR(layer[5].y, -0.5f, 1e-6f);
  EXPECT_EQ(std::memcmp(Uploads().uploads[1].data(), kFullFrameQuad, 120), 0);
  EXPECT_EQ(spy.Calls("glDrawArrays"), 2);
  // Locations were looked up when the programs were linked; a frame sets three input uniforms per program,
  // five of the layer program once (aliased, UV, link and the limits) and four for each layer (shift, rot, op,
  // kaleido), each at the location of an active uniform, and binds the vertex array once.
  EXPECT_EQ(spy.Calls("glGetUniformLocation"), 0);
  EXPECT_EQ(spy.Calls("glUniform1i"), 2);
  EXPECT_EQ(spy.Calls("glUniform2f"), 2 + 1 + 2);
  EXPECT_EQ(spy.Calls("glUniform1f"), 5 + 3);
  EXPECT_EQ(spy.Calls("glUniform1i[-1]") + spy.Calls("glUniform2f[-1]") + spy.Calls("glUniform1f[-1]"), 0);
  EXPECT_EQ(spy.Calls("glBindVertexArray"), 2);
  EXPECT_EQ(spy.Calls("glBindVertexArray(0)"), 1);

  // Building the programs again looks every name up once in the program that reads it, and nothing else.
  const ViewportRecord viewport{0, 0, kW, kH};
  plugin->DeInitGL();
  ASSERT_EQ(plugin->InitGL(&viewport), 0u);
  EXPECT_EQ(spy.Calls("glGetUniformLocation"), 9 + 3 + 3);
  for (const char* name : {"shift", "aliased", "rot", "op", "uv_mode", "kaleido", "link", "limitx", "limity"})
    EXPECT_EQ(spy.Calls(std::string("glGetUniformLocation(") + name + ")"), 1) << name;
  for (const char* name : {"inputTexture", "HardwareSize", "MaxUV"})
    EXPECT_EQ(spy.Calls(std::string("glGetUniformLocation(") + name + ")"), 2) << name;

  // The layer's quad is computed again only when what it is made from changes; it is uploaded every draw,
  // since the overlay shares the buffer.
  const CachedQuad& quad = testsupport::Inside(plugin).layerQuads[0].first;
  const int computed = quad.computations();
  auto expectFrame = [&](int computations, float left, const char* after) {
    Uploads().uploads.clear();
    ASSERT_EQ(Frame(), 0u) << after;
    EXPECT_EQ(quad.computations(), computations) << after;
    ASSERT_EQ(Uploads().uploads.size(), 2u) << after;
    EXPECT_NEAR(Uploads().uploads[0][0].x, left, 1e-6f) << after;
    EXPECT_EQ(std::memcmp(Uploads().uploads[0].data(), testsupport::Inside(plugin).quadGeometry.vertices, 120), 0)
        << after;
  };
  expectFrame(computed, -0.5f, "an unchanged frame");
  Set(1, kSlotWidth, 16);
  expectFrame(computed + 1, -0.25f, "a changed width");
  expectFrame(computed + 1, -0.25f, "the frame after");
  const ViewportRecord wider{0, 0, 2 * kW, 2 * kH};
  EXPECT_EQ(testsupport::InProcess().Call(kResize, AddressOf(&wider), instance), 0u);
  expectFrame(computed + 2, -0.125f, "a larger viewport");
  EXPECT_EQ(testsupport::InProcess().Call(kResize, AddressOf(&viewport), instance), 0u);
  expectFrame(computed + 3, -0.25f, "the viewport back");

  // On slice 2 ("TopLeft", x -1 to 0): entry 3 plays no part, a moved entry 2 or a longer list does.
  Set(1, kSlotSliceOutput, 2);
  expectFrame(computed + 4, -1.0f, "placed on a slice");
  testsupport::Inside(plugin).outputSetup.slices[2].inputRect[0].x += 8.0f;
  expectFrame(computed + 4, -1.0f, "another slice moved");
  testsupport::Inside(plugin).outputSetup.slices[1].inputRect[0].x = 16.0f;
  expectFrame(computed + 5, -0.5f, "its slice moved");
  testsupport::Inside(plugin).outputSetup.slices.push_back(testsupport::Inside(plugin).outputSetup.slices[2]);
  expectFrame(computed + 6, -0.5f, "a longer list");
  Set(1, kSlotSliceSample, 3);  // the window maps entry 3 onto entry 2
  expectFrame(computed + 7, -0.5f, "a sample slice chosen");
  testsupport::Inside(plugin).outputSetup.slices[2].outputRect[1].x += 4.0f;
  expectFrame(computed + 8, -0.5f, "the sample slice moved");
  WritePreset({kTopLeftMoved, kCentre});  // re-read in this frame: the slice now starts at the middle
  testsupport::Inside(plugin).frameCounter = 59;
  expectFrame(computed + 9, 0.0f, "a re-read that moved it");

  // Three layers: the frame's five uniforms once, each layer's four again.
  Set(2, kSlotEnable, 1);
  Set(3, kSlotEnable, 1);
  testsupport::SpiedCalls().clear();
  ASSERT_EQ(Frame(), 0u);
  EXPECT_EQ(spy.Calls("glUniform1f"), 5 + 3 * 3);
  EXPECT_EQ(spy.Calls("glUniform2f"), 2 + 3 + 2);
  EXPECT_EQ(spy.Calls("glDrawArrays"), 3 + 1);
}

TEST_F(RenderPassInside, NonFiniteQuadsAreSkippedWithoutAnUploadAndTheRestOfTheFrameIsDrawn) {
  FreeQuad(1, 0, 0, 0, 0);  // zero size: no radius to turn about
  FreeQuad(2, 32, 0, 0, 0);
  Set(2, kSlotScaling, 1);  // "Fit" with height 0
  FreeQuad(3, 32, 18, 0, 0);
  Set(3, kSlotPositionX, kNaN);
  FreeQuad(4, 32, 18, 0, 0);
  Set(4, kSlotSliceOutput, 2);  // a slice, with the screen entry's zero-length edges as its sample
  Set(4, kSlotSliceSample, 1);
  FreeQuad(5, 32, 18, 0, 0);
  Set(5, kSlotRotateOut, kNaN);
  FreeQuad(6, 16, 18, -24, 0);  // the one sound layer: columns 0 to 15
  testsupport::GlCallSpy spy;
  UploadRecorder recorder;
  ASSERT_EQ(Frame(), 0u);
  ASSERT_EQ(Uploads().uploads.size(), 2u);  // layer 6 and the overlay
  for (const auto& upload : Uploads().uploads) EXPECT_TRUE(AllFinite(upload));
  EXPECT_NEAR(Uploads().uploads[0][0].x, -1.0f, 1e-6f);
  EXPECT_EQ(spy.Calls("glDrawArrays"), 2);
  ExpectQuad(
      Read(), 0, 15, 9, 26, [](int x, int y) { return Texel(x + 24, y); }, kBackground);

  // The next frame hands out the kept quads: the same one upload and draw for the layers.
  Uploads().uploads.clear();
  ASSERT_EQ(Frame(), 0u);
  ASSERT_EQ(Uploads().uploads.size(), 2u);
  EXPECT_NEAR(Uploads().uploads[0][0].x, -1.0f, 1e-6f);
  EXPECT_EQ(spy.Calls("glDrawArrays"), 4);
  EXPECT_EQ(Uploads().nonFiniteUploads, 0);

  // A viewport without size makes every layer degenerate; the overlay still runs.
  const ViewportRecord empty{0, 0, 0, 0};
  EXPECT_EQ(testsupport::InProcess().Call(kResize, AddressOf(&empty), instance), 0u);
  Uploads().uploads.clear();
  ASSERT_EQ(Frame(), 0u);
  ASSERT_EQ(Uploads().uploads.size(), 1u);
  EXPECT_EQ(std::memcmp(Uploads().uploads[0].data(), kFullFrameQuad, 120), 0);
}

TEST_F(RenderPassInside, AFailedMapSkipsOnlyTheDrawItFeeds) {
  FreeQuad(1, 16, 18, -24, 0);  // columns 0 to 15
  FreeQuad(2, 16, 18, 24, 0);   // columns 48 to 63
  testsupport::GlCallSpy spy;
  UploadRecorder recorder;
  Uploads().failingMaps = 1;
  ASSERT_EQ(Frame(), 0u);
  EXPECT_EQ(Uploads().maps, 3);
  EXPECT_EQ(Uploads().uploads.size(), 2u);
  EXPECT_EQ(spy.Calls("glDrawArrays"), 2);
  ExpectQuad(
      Read(), 48, 63, 9, 26, [](int x, int y) { return Texel(x - 24, y); }, kBackground);

  Uploads().failingMaps = 3;  // every map of the frame, the overlay's too
  ASSERT_EQ(Frame(), 0u);
  EXPECT_EQ(spy.Calls("glDrawArrays"), 2);
  ExpectQuad(Read(), 0, -1, 0, -1, Texel, kBackground);
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
  EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), 0);
  EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), 0);
}

TEST_F(RenderPassInside, SliceChoicesShareOneElementListUntilTheHostWritesAnElement) {
  const CHostPlugin& reading = *plugin;
  auto elements = [&](int32_t k, int32_t slot) -> const ParamElementList& {
    return reading.FindParam(static_cast<uint32_t>(plugin->LayerParamIndex(k, slot)))->elements;
  };
  for (int32_t k = 1; k <= 24; ++k) {
    EXPECT_TRUE(elements(k, kSlotSliceOutput).SharesWith(elements(1, kSlotSliceOutput))) << k;
    EXPECT_TRUE(elements(k, kSlotSliceSample).SharesWith(elements(1, kSlotSliceOutput))) << k;
    EXPECT_EQ(&testsupport::Inside(plugin).layers[static_cast<size_t>(k - 1)].sliceSample->GetElements(),
              &testsupport::Inside(plugin).layers[0].sliceOutput->GetElements()) << k;
  }
  ASSERT_EQ(elements(1, kSlotSliceOutput).size(), 4u);  // None, the screen entry and both slices

  // Code 37 on Slice Output 1 changes that entry of this instance only.
  const SetElementRecord change{static_cast<uint32_t>(plugin->LayerParamIndex(1, kSlotSliceOutput)), 2, 7.5f};
  EXPECT_EQ(testsupport::InProcess().Call(kSetParameterElementValue, AddressOf(&change), instance), 0u);
  EXPECT_EQ(elements(1, kSlotSliceOutput)[2].value, 7.5f);
  EXPECT_FALSE(elements(1, kSlotSliceOutput).SharesWith(elements(2, kSlotSliceOutput)));
  EXPECT_TRUE(elements(1, kSlotSliceSample).SharesWith(elements(2, kSlotSliceOutput)));
  for (int32_t k : {1, 2, 24}) {
    EXPECT_EQ(elements(k, kSlotSliceSample)[2].value, 2.0f) << k;
    EXPECT_EQ(elements(k, kSlotSliceOutput)[2].name, "TopLeft") << k;
    EXPECT_EQ(elements(k, kSlotSliceSample)[3].name, "Centre") << k;
  }
  const ElementRefRecord asked{change.paramIndex, 2};
  const uint64_t prototypeBits = testsupport::InProcess().Call(kGetParameterElementValue, AddressOf(&asked), nullptr);
  float prototypeValue = 0.0f;
  std::memcpy(&prototypeValue, &prototypeBits, sizeof prototypeValue);
  EXPECT_EQ(prototypeValue, 2.0f);
}

TEST_F(RenderPassInside, TheRefreshCounterRestartsAtOneEvery59CountedFrames) {
  EXPECT_EQ(testsupport::Inside(plugin).frameCounter, 1);
  for (int i = 0; i < 58; ++i) ASSERT_EQ(Frame(), 0u);
  EXPECT_EQ(testsupport::Inside(plugin).frameCounter, 59);
  ASSERT_EQ(Frame(), 0u);
  EXPECT_EQ(testsupport::Inside(plugin).frameCounter, 1);

  const FrameRecord noInput{0, nullptr};
  EXPECT_EQ(testsupport::InProcess().Call(kProcessOpenGL, AddressOf(&noInput), instance), kStatusFailure);
  EXPECT_EQ(testsupport::Inside(plugin).frameCounter, 1);

  SetGlobal(0, 0);  // Live Update off
  for (int i = 0; i < 70; ++i) ASSERT_EQ(Frame(), 0u);
  EXPECT_EQ(testsupport::Inside(plugin).frameCounter, 1);
  SetGlobal(0, 0.5f);  // only exactly 1 counts
  ASSERT_EQ(Frame(), 0u);
  EXPECT_EQ(testsupport::Inside(plugin).frameCounter, 1);
  SetGlobal(0, 1);
  ASSERT_EQ(Frame(), 0u);
  EXPECT_EQ(testsupport::Inside(plugin).frameCounter, 2);
}

}  // namespace
