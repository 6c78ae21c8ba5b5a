// The layer quad: placement, texture window, flips and degenerate inputs, with expected values worked out
// by hand from the placement and window formulas; and the upload into a real buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "effect/quad_geometry.h"
#include "effect/quad_upload.h"
#include "glsupport/gl.h"
#include "tests/support/gl_test_context.h"

namespace {

constexpr float kW = 1920.0f;
constexpr float kH = 1080.0f;
constexpr float kA = 1920.0f / 1080.0f;
const float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Corner {
  float x;
  float y;
};

// Expected corners and window bounds of one quad.
struct Expected {
  Corner tl, tr, bl, br;
  float uL, uR, vT, vB;
};

// The trig of C libraries differs in the last bit: compare within 1e-5, relative above magnitude 1.
void ExpectClose(float actual, float expected, const char* what) {
  EXPECT_NEAR(actual, expected, 1e-5f * std::max(1.0f, std::fabs(expected))) << what;
}

void ExpectVertex(const QuadVertex& vertex, float u, float v, Corner corner, int index) {
  SCOPED_TRACE(::testing::Message() << "vertex " << index);
  ExpectClose(vertex.u, u, "u");
  ExpectClose(vertex.v, v, "v");
  ExpectClose(vertex.x, corner.x, "x");
  ExpectClose(vertex.y, corner.y, "y");
  EXPECT_EQ(vertex.z, 0.0f);
}

// Checks all six vertices: triangles TL-TR-BL and BL-TR-BR with their window corners.
void ExpectQuad(const QuadResult& result, const Expected& e) {
  ASSERT_EQ(result.status, QuadStatus::Ok);
  ExpectVertex(result.vertices[0], e.uL, e.vT, e.tl, 0);
  ExpectVertex(result.vertices[1], e.uR, e.vT, e.tr, 1);
  ExpectVertex(result.vertices[2], e.uL, e.vB, e.bl, 2);
  ExpectVertex(result.vertices[3], e.uL, e.vB, e.bl, 3);
  ExpectVertex(result.vertices[4], e.uR, e.vT, e.tr, 4);
  ExpectVertex(result.vertices[5], e.uR, e.vB, e.br, 5);
}

void ExpectWindow(const QuadResult& result, float uL, float uR, float vT, float vB) {
  ASSERT_EQ(result.status, QuadStatus::Ok);
  ExpectClose(result.vertices[0].u, uL, "uL");
  ExpectClose(result.vertices[5].u, uR, "uR");
  ExpectClose(result.vertices[0].v, vT, "vT");
  ExpectClose(result.vertices[5].v, vB, "vB");
}

// A free quad covering the whole 1920x1080 frame, window zoom 0.1, everything else neutral.
QuadInput FullFrame() {
  QuadInput in;
  in.frameWidth = kW;
  in.frameHeight = kH;
  in.width = kW;
  in.height = kH;
  in.scaleIn = 0.1f;
  return in;
}

QuadInput FreeQuad(float x, float y, float width, float height) {
  QuadInput in = FullFrame();
  in.positionX = x;
  in.positionY = y;
  in.width = width;
  in.height = height;
  return in;
}

// A slice with composition rectangle (l, t)-(r, b) and output rectangle (ol, ot)-(or, ob).
SliceRecord Slice(float l, float t, float r, float b, float ol, float ot, float orr, float ob) {
  SliceRecord slice;
  slice.sliceName = "Slice";
  slice.inputRect[0] = {l, t};
  slice.inputRect[1] = {r, t};
  slice.inputRect[2] = {l, b};
  slice.inputRect[3] = {r, b};
  slice.outputRect[0] = {ol, ot};
  slice.outputRect[1] = {orr, ot};
  slice.outputRect[2] = {ol, ob};
  slice.outputRect[3] = {orr, ob};
  return slice;
}

SliceRecord ScreenEntry() {
  SliceRecord entry;
  entry.screenName = "Screen 1";
  return entry;
}

const std::vector<SliceRecord> kNoSlices;

TEST(FreePlacement, CentreAnchorHalfFrame) {
  // hw = 0.5 * a, hh = 0.5; the window shows the same half of the input: 0.25..0.75.
  ExpectQuad(ComputeQuadVertices(FreeQuad(0, 0, 960, 540), kNoSlices),
             {{-0.5f, 0.5f}, {0.5f, 0.5f}, {-0.5f, -0.5f}, {0.5f, -0.5f}, 0.25f, 0.75f, 0.75f, 0.25f});
}

TEST(FreePlacement, TopLeftAnchorPutsTheCornerOnThePosition) {
  QuadInput in = FreeQuad(0, 0, 960, 540);
  in.anchor = 1;
  ExpectQuad(ComputeQuadVertices(in, kNoSlices),
             {{-1.0f, 1.0f}, {0.0f, 1.0f}, {-1.0f, 0.0f}, {0.0f, 0.0f}, 0.25f, 0.75f, 0.75f, 0.25f});
  in.positionX = 480;
  in.positionY = 270;
  ExpectQuad(ComputeQuadVertices(in, kNoSlices),
             {{-0.5f, 0.5f}, {0.5f, 0.5f}, {-0.5f, -0.5f}, {0.5f, -0.5f}, 0.25f, 0.75f, 0.75f, 0.25f});
}

TEST(FreePlacement, PositionMovesRightAndDown) {
  ExpectQuad(ComputeQuadVertices(FreeQuad(480, 270, 960, 540), kNoSlices),
             {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, -1.0f}, {1.0f, -1.0f}, 0.25f, 0.75f, 0.75f, 0.25f});
}

TEST(FreePlacement, SymmetryPassAnchors) {
  // First pass, top-left anchored at (480, 270), 480x540: x from -0.5 to 0.
  QuadInput in = FreeQuad(480, 270, 480, 540);
  in.anchor = 1;
  const Expected first{{-0.5f, 0.5f}, {0.0f, 0.5f}, {-0.5f, -0.5f}, {0.0f, -0.5f}, 0.375f, 0.625f, 0.75f, 0.25f};
  ExpectQuad(ComputeQuadVertices(in, kNoSlices), first);
  // Mirror pass: the negated position names the top-right corner, which lands on the mirrored one.
  in.positionX = -480;
  in.symmetry = 1;
  ExpectQuad(ComputeQuadVertices(in, kNoSlices),
             {{0.0f, 0.5f}, {0.5f, 0.5f}, {0.0f, -0.5f}, {0.5f, -0.5f}, 0.375f, 0.625f, 0.75f, 0.25f});
  // Centre anchor: the symmetry pass only sees the negated position.
  in.anchor = 0;
  ExpectQuad(ComputeQuadVertices(in, kNoSlices),
             {{-0.75f, 0.0f}, {-0.25f, 0.0f}, {-0.75f, -1.0f}, {-0.25f, -1.0f}, 0.375f, 0.625f, 0.75f, 0.25f});
}

TEST(FreePlacement, SymmetryModesOnTheWindow) {
  QuadInput in = FullFrame();
  in.sampleX = 0.25f;
  in.symmetry = 1;  // Mirror: picture kept
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), -0.25f, 0.75f, 1.0f, 0.0f);
  in.symmetry = 2;  // Flipped: one exchange
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.75f, -0.25f, 1.0f, 0.0f);
  in.symmetry = 3;  // Sample Flip: the horizontal shift is negated
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.25f, 1.25f, 1.0f, 0.0f);
}

TEST(FreePlacement, Rotate90OnSquareFrameMovesEachCornerClockwise) {
  QuadInput in;
  in.frameWidth = 1000;
  in.frameHeight = 1000;
  in.width = 500;
  in.height = 500;
  in.scaleIn = 0.1f;
  in.rotateOut = 90;
  // TR goes where BR was, BR where BL was, BL where TL was, TL where TR was.
  ExpectQuad(ComputeQuadVertices(in, kNoSlices),
             {{0.5f, 0.5f}, {0.5f, -0.5f}, {-0.5f, 0.5f}, {-0.5f, -0.5f}, 0.25f, 0.75f, 0.75f, 0.25f});
  in.rotateOut = -90;  // counter-clockwise: TR goes where TL was
  ExpectQuad(ComputeQuadVertices(in, kNoSlices),
             {{-0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, 0.25f, 0.75f, 0.75f, 0.25f});
}

TEST(FreePlacement, Rotate90KeepsPixelProportionsOnAWideFrame) {
  // 960x270 pixels turned by 90 degrees is 270x960 pixels: half sizes 135/960 and 480/540 in device units.
  QuadInput in = FreeQuad(0, 0, 960, 270);
  in.rotateOut = 90;
  const float x = 135.0f / 960.0f;
  const float y = 480.0f / 540.0f;
  ExpectQuad(ComputeQuadVertices(in, kNoSlices),
             {{x, y}, {x, -y}, {-x, y}, {-x, -y}, 0.25f, 0.75f, 0.625f, 0.375f});
}

TEST(ScaledWindow, WholeFrameShowsWholeInput) {
  ExpectWindow(ComputeQuadVertices(FullFrame(), kNoSlices), 0.0f, 1.0f, 1.0f, 0.0f);
}

TEST(ScaledWindow, ScaleInZeroActsAsOneThousandth) {
  // s * 10 = 0.01: the window spans 100 pictures about the middle.
  QuadInput in = FullFrame();
  in.scaleIn = 0.0f;
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), -49.5f, 50.5f, 50.5f, -49.5f);
  // Fit on the full frame: d = a, so su = a * e and sv = e * a / d = e.
  in.scaling = 1;
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), -49.5f, 50.5f, 50.5f, -49.5f);
  in.scaling = 3;
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), -49.5f, 50.5f, 50.5f, -49.5f);
  // Fill on a 960x270 quad: d = 2a, so su = a * e, sv = e / 2.
  in = FreeQuad(0, 0, 960, 270);
  in.scaleIn = 0.0f;
  in.scaling = 2;
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), -49.5f, 50.5f, 25.5f, -24.5f);
}

TEST(ScaledWindow, RatioNarrowsOrFlattens) {
  QuadInput in = FullFrame();
  in.ratio = 0.5f;
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.25f, 0.75f, 1.0f, 0.0f);
  in.ratio = -0.5f;
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.0f, 1.0f, 0.75f, 0.25f);
  in.ratio = 0.0f;
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.0f, 1.0f, 1.0f, 0.0f);
}

TEST(ScaledWindow, SampleShiftsTheWindow) {
  QuadInput in = FullFrame();
  in.sampleX = 0.25f;
  in.sampleY = 0.1f;
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), -0.25f, 0.75f, 0.9f, -0.1f);
}

// Quads in the 1920x1080 frame at zoom e = 1: a wide one (d = 2a) and a tall one (d = 0.5 < a).
TEST(ScaledWindow, AllFourModesOnAWideQuad) {
  QuadInput in = FreeQuad(0, 0, 960, 270);  // hw = 0.5a, hh = 0.25, d = 2a
  in.scaling = 0;                           // su = hw, sv = hh
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.25f, 0.75f, 0.625f, 0.375f);
  in.scaling = 1;  // Fit, d > a: su = d, sv = 1
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), -0.5f, 1.5f, 1.0f, 0.0f);
  in.scaling = 2;  // Fill, d > a: su = a, sv = a / d = 0.5
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.0f, 1.0f, 0.75f, 0.25f);
  in.scaling = 3;  // Stretch: su = a, sv = 1
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.0f, 1.0f, 1.0f, 0.0f);
}

TEST(ScaledWindow, AllFourModesOnATallQuad) {
  QuadInput in = FreeQuad(0, 0, 270, 540);  // hw = 0.25, hh = 0.5, d = 0.5
  in.scaling = 0;
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.4296875f, 0.5703125f, 0.75f, 0.25f);
  in.scaling = 1;  // Fit, d <= a: su = a, sv = a / d = 2a
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.0f, 1.0f, 0.5f + kA, 0.5f - kA);
  in.scaling = 2;  // Fill, a > d: su = d = 0.5, sv = 1
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.359375f, 0.640625f, 1.0f, 0.0f);
  in.scaling = 3;
  ExpectWindow(ComputeQuadVertices(in, kNoSlices), 0.0f, 1.0f, 1.0f, 0.0f);
}

TEST(SlicePlacement, FullFrameSliceIgnoresFreePlacement) {
  const std::vector<SliceRecord> slices{Slice(0, 0, kW, kH, 0, 0, kW, kH)};
  QuadInput in = FreeQuad(300, -200, 100, 50);
  in.rotateOut = 45;
  in.anchor = 1;
  in.outputIndex = 1;
  ExpectQuad(ComputeQuadVertices(in, slices),
             {{-1.0f, 1.0f}, {1.0f, 1.0f}, {-1.0f, -1.0f}, {1.0f, -1.0f}, 0.0f, 1.0f, 1.0f, 0.0f});
}

TEST(SlicePlacement, EdgeLengthsAreCutToWholePixels) {
  // Edges of 960.7 and 540.9 pixels count as 960 and 540: the window is exactly 0.25..0.75.
  const std::vector<SliceRecord> slices{Slice(0, 0, 960.7f, 540.9f, 0, 0, 960, 540)};
  QuadInput in = FullFrame();
  in.outputIndex = 1;
  ExpectQuad(ComputeQuadVertices(in, slices),
             {{-1.0f, 1.0f},
              {960.7f / 960.0f - 1.0f, 1.0f},
              {-1.0f, 1.0f - 540.9f / 540.0f},
              {960.7f / 960.0f - 1.0f, 1.0f - 540.9f / 540.0f},
              0.25f,
              0.75f,
              0.75f,
              0.25f});
}

TEST(SlicePlacement, MirroredSliceKeepsOrFlipsThePicture) {
  const std::vector<SliceRecord> slices{Slice(0, 0, kW, kH, 0, 0, kW, kH)};
  QuadInput in = FullFrame();
  in.outputIndex = 1;
  const Corner tl{1.0f, 1.0f}, tr{-1.0f, 1.0f}, bl{1.0f, -1.0f}, br{-1.0f, -1.0f};
  in.symmetry = 1;  // one exchange: the mirrored slice shows the picture unmirrored
  ExpectQuad(ComputeQuadVertices(in, slices), {tl, tr, bl, br, 1.0f, 0.0f, 1.0f, 0.0f});
  in.symmetry = 2;  // two exchanges: the picture is shown mirrored
  ExpectQuad(ComputeQuadVertices(in, slices), {tl, tr, bl, br, 0.0f, 1.0f, 1.0f, 0.0f});
  in.symmetry = 3;  // one exchange, with the horizontal shift negated first
  in.sampleX = 0.25f;
  ExpectQuad(ComputeQuadVertices(in, slices), {tl, tr, bl, br, 1.25f, 0.25f, 1.0f, 0.0f});
}

TEST(SlicePlacement, ScreenEntryCollapsesIntoTopLeftCorner) {
  const std::vector<SliceRecord> slices{ScreenEntry()};
  QuadInput in = FullFrame();
  in.outputIndex = 1;
  const Corner corner{-1.0f, 1.0f};
  ExpectQuad(ComputeQuadVertices(in, slices), {corner, corner, corner, corner, 0.5f, 0.5f, 0.5f, 0.5f});
}

TEST(SlicePlacement, IndexIsTruncatedAndCheckedAgainstTheList) {
  const std::vector<SliceRecord> slices{Slice(0, 0, 960, 540, 0, 0, 960, 540), Slice(0, 0, kW, kH, 0, 0, kW, kH)};
  QuadInput in = FullFrame();
  in.outputIndex = 2.7f;  // entry 2
  ExpectQuad(ComputeQuadVertices(in, slices),
             {{-1.0f, 1.0f}, {1.0f, 1.0f}, {-1.0f, -1.0f}, {1.0f, -1.0f}, 0.0f, 1.0f, 1.0f, 0.0f});
  in.outputIndex = 3;
  QuadResult result = ComputeQuadVertices(in, slices);
  EXPECT_EQ(result.status, QuadStatus::IndexOutOfRange);
  EXPECT_EQ(result.step, QuadStep::Placement);
  in.outputIndex = 1;
  in.sampleIndex = 3;
  result = ComputeQuadVertices(in, slices);
  EXPECT_EQ(result.status, QuadStatus::IndexOutOfRange);
  EXPECT_EQ(result.step, QuadStep::Window);
  // Without an output slice the sample choice plays no part, whatever it holds.
  in.outputIndex = 0;
  in.sampleIndex = 3;
  ExpectWindow(ComputeQuadVertices(in, slices), 0.0f, 1.0f, 1.0f, 0.0f);
}

// Output slice O: composition and output (0,0)-(960,540). Sample slice P: composition (960,0)-(1920,540),
// output (960,540)-(1440,810). su = (960/960)/(480/960) * hw = 2 * 0.5a = a, sv = 2 * 0.5 = 1;
// dx = (960/480) * (1200 - 480) / 1920 = 0.75, dy = (540/270) * (270 - 675) / 1080 = -0.75.
const std::vector<SliceRecord> kMappedSlices{Slice(0, 0, 960, 540, 0, 0, 960, 540),
                                             Slice(960, 0, 1920, 540, 960, 540, 1440, 810)};

TEST(MappedWindow, MapsTheSampleSliceOntoTheOutputSlice) {
  QuadInput in = FullFrame();
  in.outputIndex = 1;
  in.sampleIndex = 2;
  ExpectQuad(ComputeQuadVertices(in, kMappedSlices),
             {{-1.0f, 1.0f}, {0.0f, 1.0f}, {-1.0f, 0.0f}, {0.0f, 0.0f}, -0.75f, 0.25f, 1.75f, 0.75f});
  // Ratio and shift apply after the mapping.
  in.ratio = 0.5f;
  in.sampleY = 0.5f;
  ExpectWindow(ComputeQuadVertices(in, kMappedSlices), -0.5f, 0.0f, 1.25f, 0.25f);
}

TEST(MappedWindow, SampleFlipNegatesBothOffsetsThenExchanges) {
  QuadInput in = FullFrame();
  in.outputIndex = 1;
  in.sampleIndex = 2;
  in.sampleX = 0.1f;
  in.symmetry = 3;
  // u: 0..1 + 0.75 (negated dx) + 0.1 (negated sampleX) = 0.85..1.85, then exchanged; corners mirrored.
  ExpectQuad(ComputeQuadVertices(in, kMappedSlices),
             {{1.0f, 1.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}, 1.85f, 0.85f, 1.75f, 0.75f});
}

void ExpectNonFinite(const QuadInput& in, const std::vector<SliceRecord>& slices, QuadStep step) {
  const QuadResult result = ComputeQuadVertices(in, slices);
  EXPECT_EQ(result.status, QuadStatus::NonFinite);
  EXPECT_EQ(result.step, step);
}

TEST(DegenerateQuad, DivisionsByZeroAreReported) {
  ExpectNonFinite(FreeQuad(0, 0, 0, 0), kNoSlices, QuadStep::Rotation);  // r = 0
  QuadInput fit = FreeQuad(0, 0, 960, 0);                                // d infinite
  fit.scaling = 1;
  ExpectNonFinite(fit, kNoSlices, QuadStep::Window);
  fit.width = 0;  // d = 0 / 0
  ExpectNonFinite(fit, kNoSlices, QuadStep::Rotation);
  QuadInput noFrame = FullFrame();
  noFrame.frameHeight = 0;
  ExpectNonFinite(noFrame, kNoSlices, QuadStep::Placement);
}

TEST(DegenerateQuad, ZeroLengthSliceEdgesInTheMappedWindow) {
  const std::vector<SliceRecord> slices{Slice(0, 0, 960, 540, 0, 0, 960, 540), ScreenEntry()};
  QuadInput in = FullFrame();
  in.outputIndex = 1;
  in.sampleIndex = 2;  // screen entry as the sample
  ExpectNonFinite(in, slices, QuadStep::Window);
  in.outputIndex = 2;  // screen entry as the output
  in.sampleIndex = 1;
  ExpectNonFinite(in, slices, QuadStep::Window);
}

TEST(DegenerateQuad, NaNParametersNeverReachTheVertices) {
  const auto withField = [](float QuadInput::*field) {
    QuadInput in = FreeQuad(100, 50, 960, 540);
    in.*field = std::numeric_limits<float>::quiet_NaN();
    return in;
  };
  ExpectNonFinite(withField(&QuadInput::positionX), kNoSlices, QuadStep::Placement);
  ExpectNonFinite(withField(&QuadInput::positionY), kNoSlices, QuadStep::Placement);
  ExpectNonFinite(withField(&QuadInput::width), kNoSlices, QuadStep::Placement);
  ExpectNonFinite(withField(&QuadInput::frameWidth), kNoSlices, QuadStep::Placement);
  ExpectNonFinite(withField(&QuadInput::rotateOut), kNoSlices, QuadStep::Rotation);
  ExpectNonFinite(withField(&QuadInput::scaleIn), kNoSlices, QuadStep::Window);
  ExpectNonFinite(withField(&QuadInput::ratio), kNoSlices, QuadStep::Window);
  ExpectNonFinite(withField(&QuadInput::sampleX), kNoSlices, QuadStep::Window);
  ExpectNonFinite(withField(&QuadInput::sampleY), kNoSlices, QuadStep::Window);
  // NaN choices select nothing: a NaN index is no slice, a NaN mode is "None", a NaN anchor is "Center".
  QuadInput in = withField(&QuadInput::outputIndex);
  in.anchor = kNaN;
  in.scaling = kNaN;
  in.symmetry = kNaN;
  ExpectQuad(ComputeQuadVertices(in, kNoSlices),
             {{-0.5f + 100.0f / 960.0f, 0.5f - 50.0f / 540.0f},
              {0.5f + 100.0f / 960.0f, 0.5f - 50.0f / 540.0f},
              {-0.5f + 100.0f / 960.0f, -0.5f - 50.0f / 540.0f},
              {0.5f + 100.0f / 960.0f, -0.5f - 50.0f / 540.0f},
              0.25f,
              0.75f,
              0.75f,
              0.25f});
}

// The upload into a real buffer, in a headless GL 4.1 core context.
class QuadUpload : public testsupport::GlTest {
 protected:
  void SetUp() override {
    testsupport::GlTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(CreateQuadBuffers(geometry));
  }
  void TearDown() override { ReleaseQuadBuffers(geometry); }

  std::vector<uint8_t> ReadBack() {
    std::vector<uint8_t> bytes(kQuadBytes);
    glBindBuffer(GL_ARRAY_BUFFER, geometry.vbo);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, kQuadBytes, bytes.data());
    return bytes;
  }
  static std::vector<uint8_t> Bytes(const QuadVertex (&vertices)[6]) {
    const auto* first = reinterpret_cast<const uint8_t*>(vertices);
    return std::vector<uint8_t>(first, first + kQuadBytes);
  }

  QuadGeometry geometry;
};

TEST_F(QuadUpload, NewBufferHoldsTheFullFrameQuadAndFeedsBothAttributes) {
  EXPECT_NE(geometry.vao, 0u);
  EXPECT_NE(geometry.vbo, 0u);
  EXPECT_EQ(ReadBack(), Bytes(geometry.overlayVertices));
  EXPECT_EQ(geometry.overlayVertices[5].u, 1.0f);
  EXPECT_EQ(geometry.overlayVertices[5].y, -1.0f);
  glBindVertexArray(geometry.vao);
  testsupport::ExpectScreenQuadAttributes();
  glBindVertexArray(0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(QuadUpload, ComputeQuadWritesTheComputedVertices) {
  const QuadInput in = FreeQuad(480, 270, 960, 540);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  ASSERT_TRUE(ComputeQuad(in, kNoSlices, geometry));
  GLint bound = 0;
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), geometry.vbo);
  const QuadResult expected = ComputeQuadVertices(in, kNoSlices);
  EXPECT_EQ(std::memcmp(geometry.vertices, expected.vertices, kQuadBytes), 0);
  EXPECT_EQ(ReadBack(), Bytes(expected.vertices));
  // Back to the full-frame quad, as the overlay pass does.
  ASSERT_TRUE(UploadQuad(geometry, geometry.overlayVertices));
  EXPECT_EQ(ReadBack(), Bytes(geometry.overlayVertices));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(QuadUpload, DegenerateQuadIsNeitherKeptNorUploaded) {
  ASSERT_TRUE(ComputeQuad(FreeQuad(0, 0, 960, 540), kNoSlices, geometry));
  const std::vector<uint8_t> before = ReadBack();
  const std::vector<uint8_t> kept = Bytes(geometry.vertices);
  EXPECT_FALSE(ComputeQuad(FreeQuad(0, 0, 0, 0), kNoSlices, geometry));
  EXPECT_EQ(ReadBack(), before);
  EXPECT_EQ(Bytes(geometry.vertices), kept);
}

TEST_F(QuadUpload, FailedMapWritesNothing) {
  const std::vector<uint8_t> before = ReadBack();
  glBindBuffer(GL_ARRAY_BUFFER, geometry.vbo);
  ASSERT_NE(glMapBufferRange(GL_ARRAY_BUFFER, 0, kQuadBytes, GL_MAP_READ_BIT), nullptr);
  const QuadResult other = ComputeQuadVertices(FreeQuad(0, 0, 960, 540), kNoSlices);
  EXPECT_FALSE(UploadQuad(geometry, other.vertices));  // a mapped buffer cannot be mapped again
  glUnmapBuffer(GL_ARRAY_BUFFER);
  while (glGetError() != GL_NO_ERROR) {
  }
  EXPECT_EQ(ReadBack(), before);
}

TEST_F(QuadUpload, NoBufferNoUploadAndReleaseIsRepeatable) {
  ReleaseQuadBuffers(geometry);
  EXPECT_EQ(geometry.vao, 0u);
  EXPECT_EQ(geometry.vbo, 0u);
  EXPECT_FALSE(UploadQuad(geometry, geometry.overlayVertices));
  const std::vector<uint8_t> kept = Bytes(geometry.vertices);
  EXPECT_FALSE(ComputeQuad(FreeQuad(480, 270, 960, 540), kNoSlices, geometry));
  EXPECT_EQ(Bytes(geometry.vertices), kept);  // a quad that cannot be drawn is not kept either
  EXPECT_FALSE(ComputeQuad(FullFrame(), kNoSlices, geometry));
  ReleaseQuadBuffers(geometry);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
