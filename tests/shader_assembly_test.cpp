// The generated fragment shader byte for byte, the walk over the parameters, colour conversion and the
// snippet library compiled and evaluated on a real GL 4.1 core context.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "glsupport/gl.h"
#include "glsupport/scoped_bindings.h"
#include "glsupport/screen_quad.h"
#include "glsupport/shader_program.h"
#include "quickstart/colour_conversion.h"
#include "quickstart/shader_assembly.h"
#include "quickstart/snippet_library.h"
#include "tests/support/gl_test_context.h"

namespace {

using namespace quickstart;
using Params = std::vector<std::shared_ptr<Param>>;

const std::string kHeader =
    "\n\t\t#version 410 core\n\t\tout vec4 fragColor;\n\t\tuniform vec2 resolution;\n\t\tuniform float time;\n\t\t"
    "uniform float deltaTime;\n\t\tuniform int frame;\n\t\tuniform float bpm;\n\t\tuniform float phase;\n\t";

std::shared_ptr<Param> Typed(const char* name, uint32_t type) { return Param::Create(name, 0.0f, type); }

std::string Generate(const Params& params, const std::set<int32_t>& snippets = {}, const std::string& code = "") {
  return GenerateFragmentShader(kShaderHeader, params, snippets, code);
}

TEST(ShaderHeader, IsTheFixedTextOf185Characters) {
  EXPECT_EQ(std::strlen(kShaderHeader), 185u);
  EXPECT_EQ(std::string(kShaderHeader), kHeader);
  EXPECT_EQ(Generate({}), kHeader);
}

TEST(Generation, ColourRunsBecomeVectorsOnlyInTheirExactOrder) {
  EXPECT_EQ(Generate({Typed("tint", kTypeRed), Typed("g", kTypeGreen), Typed("b", kTypeBlue)}),
            kHeader + "uniform vec3 tint;\n");
  EXPECT_EQ(Generate({Typed("g", kTypeGreen), Typed("r", kTypeRed), Typed("b", kTypeBlue)}),
            kHeader + "uniform float g;\nuniform float r;\nuniform float b;\n");
  EXPECT_EQ(Generate({Typed("x", kTypeStandard), Typed("r", kTypeRed), Typed("g", kTypeGreen)}),
            kHeader + "uniform float x;\nuniform float r;\nuniform float g;\n");
  EXPECT_EQ(Generate({Typed("c", kTypeHue), Typed("s", kTypeSaturation), Typed("v", kTypeBrightness),
                      Typed("a", kTypeAlpha), Typed("lone", kTypeAlpha)}),
            kHeader + "uniform vec4 c;\nuniform float lone;\n");
  EXPECT_EQ(Generate({Typed("h", kTypeHue), Typed("s", kTypeSaturation), Typed("v", kTypeBrightness)}),
            kHeader + "uniform float h;\nuniform float s;\nuniform float v;\n");
  // A run that breaks off restarts the walk at the next parameter.
  EXPECT_EQ(Generate({Typed("r", kTypeRed), Typed("r2", kTypeRed), Typed("g", kTypeGreen), Typed("b", kTypeBlue)}),
            kHeader + "uniform float r;\nuniform vec3 r2;\n");
}

TEST(Generation, SingleParametersByType) {
  const Params params = {ParamBool::Create("flag", false), ParamTrigger::Create("go"),
                         ParamText::Create("label", "x"), Typed("spectrum", kTypeBuffer),
                         ParamRange::CreateInteger("count", 2, 0, 5),
                         ParamOption::Create("mode", {{"a", 0}, {"b", 1}}, 0), Typed("path", kTypeFile)};
  EXPECT_EQ(Generate(params), kHeader +
                                  "uniform bool flag;\nuniform bool go;\nuniform float label;\n"
                                  "uniform float count;\nuniform float mode;\nuniform float path;\n");
}

TEST(Generation, SnippetsFollowTheUniformsInKeyOrderAndTheEffectCodeComesLast) {
  const auto& library = SnippetLibrary();
  EXPECT_EQ(Generate({Typed("x", kTypeStandard)}, {SnippetNoise, SnippetRandom}, "void main() {}\n"),
            kHeader + "uniform float x;\n" + library.at(SnippetRandom) + library.at(SnippetNoise) +
                "void main() {}\n");
  EXPECT_EQ(Generate({}, {SnippetMap, 17}, ""), kHeader + library.at(SnippetMap));
  for (const auto& entry : library) EXPECT_EQ(entry.second.front(), '\n') << entry.first;
  EXPECT_EQ(library.size(), 3u);
}

TEST(Walk, NamesGroupsByTheirFirstPosition) {
  const Params params = {Typed("r", kTypeRed), Typed("g", kTypeGreen), Typed("b", kTypeBlue),
                         Typed("spectrum", kTypeBuffer), Typed("h", kTypeHue), Typed("s", kTypeSaturation),
                         Typed("v", kTypeBrightness), Typed("a", kTypeAlpha), ParamBool::Create("f", true)};
  const auto items = WalkUniforms(params);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].kind, UniformKind::RgbGroup);
  EXPECT_EQ(items[0].position, 0u);
  EXPECT_EQ(items[1].kind, UniformKind::None);
  EXPECT_EQ(items[1].position, 3u);
  EXPECT_EQ(items[2].kind, UniformKind::HsbaGroup);
  EXPECT_EQ(items[2].position, 4u);
  EXPECT_EQ(items[3].kind, UniformKind::Boolean);
  EXPECT_EQ(items[3].position, 8u);
  EXPECT_TRUE(WalkUniforms({}).empty());
}

void ExpectColour(std::array<float, 3> actual, float r, float g, float b) {
  EXPECT_FLOAT_EQ(actual[0], r);
  EXPECT_FLOAT_EQ(actual[1], g);
  EXPECT_FLOAT_EQ(actual[2], b);
}

TEST(HsbConversion, EverySectorGreyAndTheWrappedHue) {
  ExpectColour(HsbToRgb(0.0f, 1.0f, 1.0f), 1, 0, 0);
  ExpectColour(HsbToRgb(1.0f, 1.0f, 1.0f), 1, 0, 0);
  ExpectColour(HsbToRgb(0.5f, 1.0f, 1.0f), 0, 1, 1);
  ExpectColour(HsbToRgb(0.3f, 0.0f, 0.4f), 0.4f, 0.4f, 0.4f);
  // h = 1/12 + k/6: f = 0.5 in every sector; s = 0.5, v = 0.8 gives p = 0.4 and q = t = 0.6.
  ExpectColour(HsbToRgb(1.0f / 12, 0.5f, 0.8f), 0.8f, 0.6f, 0.4f);
  ExpectColour(HsbToRgb(3.0f / 12, 0.5f, 0.8f), 0.6f, 0.8f, 0.4f);
  ExpectColour(HsbToRgb(5.0f / 12, 0.5f, 0.8f), 0.4f, 0.8f, 0.6f);
  ExpectColour(HsbToRgb(7.0f / 12, 0.5f, 0.8f), 0.4f, 0.6f, 0.8f);
  ExpectColour(HsbToRgb(9.0f / 12, 0.5f, 0.8f), 0.6f, 0.4f, 0.8f);
  ExpectColour(HsbToRgb(11.0f / 12, 0.5f, 0.8f), 0.8f, 0.4f, 0.6f);
  // Outside 0..1 the last sector's formula applies; a NaN hue must not crash.
  ExpectColour(HsbToRgb(-0.25f, 1.0f, 1.0f), 1, 0, 0.5f);
  const auto nanHue = HsbToRgb(std::numeric_limits<float>::quiet_NaN(), 1.0f, 1.0f);
  EXPECT_EQ(nanHue[0], 1.0f);
}

// Renders one frame of a program made of the header, the snippets and a main body into a 4x4 target.
class SnippetGlTest : public testsupport::GlTest {
 protected:
  std::vector<uint8_t> RenderPixel(const std::set<int32_t>& snippets, const std::string& mainBody) {
    glsupport::ShaderProgram program;
    const std::string fragment = Generate({}, snippets, "void main() {\n" + mainBody + "\n}\n");
    EXPECT_TRUE(program.Compile(testsupport::kPassThroughVertex, fragment)) << fragment;
    caller::RenderTarget target(4, 4);
    target.Clear(0, 0, 0, 0);
    glsupport::ScreenQuad quad;
    EXPECT_TRUE(quad.Initialise());
    {
      glsupport::ScopedShaderBinding scope(program.program());
      glUniform2f(program.FindUniform("resolution"), 4.0f, 4.0f);
      glUniform1i(program.FindUniform("frame"), 1);
      quad.Draw();
    }
    quad.Release();
    program.FreeGLResources();
    return target.ReadPixel(0, 0);
  }
};

TEST_F(SnippetGlTest, EachSnippetAndAllTogetherCompileInAVersion410CoreProgram) {
  const std::string body = "fragColor = vec4(0.0, 0.0, 0.0, 1.0);";
  for (int32_t key : {SnippetRandom, SnippetMap, SnippetNoise}) {
    EXPECT_EQ(RenderPixel({key}, body), (std::vector<uint8_t>{0, 0, 0, 255})) << key;
  }
  EXPECT_EQ(RenderPixel({SnippetRandom, SnippetMap, SnippetNoise},
                        "fragColor = vec4(random(), map(0.5, 0.0, 1.0), fractal_noise(vec3(0.1), vec4(0.25)), 1.0);")[3],
            255);
}

uint32_t RandomHash(uint32_t x, uint32_t y) {
  const uint32_t k = 1103515245u;
  const uint32_t qx = k * ((x >> 1) ^ y);
  const uint32_t qy = k * ((y >> 1) ^ x);
  return k * (qx ^ (qy >> 3));
}

TEST_F(SnippetGlTest, RandomHashMatchesTheUnsignedArithmetic) {
  for (auto xy : {std::pair<uint32_t, uint32_t>{3, 5}, {1000, 7}, {0xFFFFFFFFu, 123456789u}}) {
    const double expected = RandomHash(xy.first, xy.second) / 4294967295.0 * 255.0;
    const auto pixel = RenderPixel({SnippetRandom}, "fragColor = vec4(random(uvec2(" + std::to_string(xy.first) +
                                                        "U, " + std::to_string(xy.second) + "U)), 0.0, 0.0, 1.0);");
    EXPECT_NEAR(pixel[0], expected, 1.0) << xy.first << "," << xy.second;
  }
  // random() hashes the pixel position plus resolution.x * resolution.y * frame: (0, 0) + 16 * 1.
  const double atOrigin = RandomHash(16, 16) / 4294967295.0 * 255.0;
  EXPECT_NEAR(RenderPixel({SnippetRandom}, "fragColor = vec4(random(), 0.0, 0.0, 1.0);")[0], atOrigin, 1.0);
  // random3(uvec3): three rounds of x = ((x >> 8) ^ x.yzx) * k.
  uint32_t x[3] = {12345u, 678u, 0xDEADBEEFu};
  for (int round = 0; round < 3; ++round) {
    const uint32_t in[3] = {x[0], x[1], x[2]};
    for (int c = 0; c < 3; ++c) x[c] = ((in[c] >> 8) ^ in[(c + 1) % 3]) * 1103515245u;
  }
  const auto pixel =
      RenderPixel({SnippetRandom}, "fragColor = vec4(random3(uvec3(12345U, 678U, 0xDEADBEEFU)), 1.0);");
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], x[c] / 4294967295.0 * 255.0, 1.0) << c;
}

TEST_F(SnippetGlTest, MapClampsIntoTheTargetRange) {
  const auto pixel = RenderPixel({SnippetMap},
                                 "fragColor = vec4(map(0.9, 0.5, 1.0), map(3.0, 0.0, 1.0),"
                                 " map(5.0, 0.0, 10.0, 0.2, 0.6), map(vec2(-1.0), vec2(0.0), vec2(1.0)).x);");
  EXPECT_EQ(pixel, (std::vector<uint8_t>{204, 255, 102, 0}));
  const auto vec2Pixel = RenderPixel(
      {SnippetMap}, "vec2 m = map(vec2(2.5, 8.0), vec2(0.0), vec2(10.0), vec2(0.0), vec2(1.0));"
                    "fragColor = vec4(m, 0.0, 1.0);");
  EXPECT_EQ(vec2Pixel, (std::vector<uint8_t>{64, 204, 0, 255}));
}

// The noise snippet's formulas on the CPU, in double precision, at inputs where the GPU's float result is
// exact enough to pin: random3 of a tiny c, and simplex3d within 0.09 of a lattice corner whose hash is exactly
// 0 (the origin, or (15, 0, -17), where 17 * 15 - 15 * 17 = 0), every other corner lying too far to weigh.
using Vec3 = std::array<double, 3>;
double Dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double Fract(double v) { return v - std::floor(v); }
Vec3 NoiseHash(const Vec3& c) {
  const double j = 4096.0 * std::sin(Dot(c, {17.0, 59.4, 15.0}));
  return {Fract(64.0 * j), Fract(8.0 * j), Fract(512.0 * j)};
}
double SimplexNearQuietCorner(const Vec3& p, const Vec3& corner = {0, 0, 0}) {
  const double g = (corner[0] + corner[1] + corner[2]) * 0.1666667;  // the corner's offset: p - corner + g
  const Vec3 x{p[0] - corner[0] + g, p[1] - corner[1] + g, p[2] - corner[2] + g};
  return 52.0 * std::pow(0.6 - Dot(x, x), 4) * -0.5 * (x[0] + x[1] + x[2]);
}
// m times a GLSL mat3 given by its constructor's nine values (column after column), scaled.
Vec3 Turned(const Vec3& m, double scale, const std::array<double, 9>& columns) {
  Vec3 out;
  for (int c = 0; c < 3; ++c) out[c] = scale * Dot(m, {columns[3 * c], columns[3 * c + 1], columns[3 * c + 2]});
  return out;
}

// GLSL showing how far expr lies from want: 0.5 plus 100 times the difference (127 or 128: within 6e-5).
std::string Off(const std::string& expr, double want) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", want);
  return "0.5 + 100.0 * ((" + expr + ") - " + text + ")";
}

// Each value is compared inside the shader; of the simplices about the origin, the first has it as its corner
// s, the second as s + i2, the third as s + i1.
TEST_F(SnippetGlTest, NoiseMatchesItsFormulasComputedOnTheCpu) {
  const Vec3 hash = NoiseHash({0x1p-24, 0x2p-24, 0x3p-24});
  const std::string tinyHash = "random3(vec3(1.0, 2.0, 3.0) * exp2(-24.0))";
  const Vec3 m{0.008, -0.005, 0.003};
  const std::array<double, 9> rot1{-0.37, 0.36, 0.85, -0.14, -0.93, 0.34, 0.92, 0.01, 0.4},
      rot2{-0.55, -0.39, 0.74, 0.33, -0.91, -0.24, 0.77, 0.12, 0.63},
      rot3{-0.71, 0.52, -0.47, -0.08, -0.72, -0.68, -0.7, -0.45, 0.56}, none{1, 0, 0, 0, 1, 0, 0, 0, 1};
  auto octave = [&](const char* coef, double scale, const std::array<double, 9>& rot) {
    return Off("fractal_noise(vec3(0.008, -0.005, 0.003), vec4(" + std::string(coef) + "))",
               SimplexNearQuietCorner(Turned(m, scale, rot)));
  };
  const std::vector<std::string> values = {
      Off(tinyHash + ".x", hash[0]), Off(tinyHash + ".y", hash[1]), Off(tinyHash + ".z", hash[2]),
      Off("simplex3d(vec3(0.05, 0.03, 0.01))", SimplexNearQuietCorner({0.05, 0.03, 0.01})),
      Off("simplex3d(vec3(-0.02, 0.05, -0.04))", SimplexNearQuietCorner({-0.02, 0.05, -0.04})),
      Off("simplex3d(vec3(-0.05, 0.04, 0.03))", SimplexNearQuietCorner({-0.05, 0.04, 0.03})),
      Off("simplex3d(vec3(15.34, 0.35, -16.68))", SimplexNearQuietCorner({15.34, 0.35, -16.68}, {15, 0, -17})), "0.5",
      octave("1, 0, 0, 0", 1, rot1), octave("0, 1, 0, 0", 2, rot2), octave("0, 0, 1, 0", 4, rot3),
      octave("0, 0, 0, 1", 8, none)};
  for (size_t v = 0; v < values.size(); v += 4) {
    const std::string body = "fragColor = vec4(" + values[v] + ", " + values[v + 1] + ", " + values[v + 2] + ", " +
                             values[v + 3] + ");";
    const auto pixel = RenderPixel({SnippetNoise}, body);
    for (size_t c = 0; c < 4; ++c) EXPECT_NEAR(pixel[c], 127.5, 1.5) << values[v + c];
  }
}

}  // namespace
