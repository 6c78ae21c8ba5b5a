#include "tools/preview/test_card.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/preview/stb_codecs.h"

namespace preview {
namespace {

void Put(Image& image, int x, int y, const uint8_t (&rgb)[3]) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  uint8_t* p = image.rgba.data() + (static_cast<size_t>(y) * image.width + x) * 4;
  p[0] = rgb[0];
  p[1] = rgb[1];
  p[2] = rgb[2];
  p[3] = 255;
}

void FillRect(Image& image, float x0, float y0, float x1, float y1, const uint8_t (&rgb)[3]) {
  for (int y = static_cast<int>(std::floor(y0)); y < static_cast<int>(std::ceil(y1)); ++y)
    for (int x = static_cast<int>(std::floor(x0)); x < static_cast<int>(std::ceil(x1)); ++x) Put(image, x, y, rgb);
}

// Text in the stroke font, scaled, centred on (cx, cy), with a dark shadow.
void DrawLabel(Image& image, const std::string& text, float cx, float cy, float scale) {
  const uint8_t white[3] = {255, 255, 255};
  const uint8_t shadow[3] = {24, 24, 24};
  const float left = cx - TextWidth(text) * scale * 0.5f;
  const float top = cy - 3.5f * scale;
  const float offset = std::max(1.0f, scale * 0.4f);
  for (const GlyphRect& r : TextRects(text))
    FillRect(image, left + r.x0 * scale + offset, top + r.y0 * scale + offset, left + r.x1 * scale + offset,
             top + r.y1 * scale + offset, shadow);
  for (const GlyphRect& r : TextRects(text))
    FillRect(image, left + r.x0 * scale, top + r.y0 * scale, left + r.x1 * scale, top + r.y1 * scale, white);
}

}  // namespace

Image MakeTestCard(int width, int height) {
  Image image;
  if (width <= 0 || height <= 0) return image;
  image.width = width;
  image.height = height;
  image.rgba.assign(static_cast<size_t>(width) * height * 4, 255);

  const int cell = std::max(2, std::min(width, height) / 9);
  const int line = std::max(1, cell / 24);
  const float cx = width * 0.5f;
  const float cy = height * 0.5f;
  const float ringRadius = std::min(width, height) * 0.3f;
  const float ringHalfWidth = std::max(1.0f, std::min(width, height) / 160.0f);
  const uint8_t white[3] = {255, 255, 255};

  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int quarter = (y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1);
      const bool darkCell = ((x / cell) + (y / cell)) % 2 == 1;
      const float shade = darkCell ? 0.8f : 1.0f;
      uint8_t rgb[3];
      for (int c = 0; c < 3; ++c) rgb[c] = static_cast<uint8_t>(kTestCardQuarters[quarter][c] * shade);
      const bool gridLine = (x % cell) < line || (y % cell) < line;
      const float distance = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      const bool ring = std::fabs(distance - ringRadius) <= ringHalfWidth;
      const bool cross = (std::fabs(x + 0.5f - cx) <= line && std::fabs(y + 0.5f - cy) <= ringRadius) ||
                         (std::fabs(y + 0.5f - cy) <= line && std::fabs(x + 0.5f - cx) <= ringRadius);
      Put(image, x, y, gridLine || ring || cross ? white : rgb);
    }
  }
  const float labelScale = std::max(1.0f, std::min(width, height) / 30.0f);
  DrawLabel(image, "1", width * 0.25f, height * 0.25f, labelScale);
  DrawLabel(image, "2", width * 0.75f, height * 0.25f, labelScale);
  DrawLabel(image, "3", width * 0.25f, height * 0.75f, labelScale);
  DrawLabel(image, "4", width * 0.75f, height * 0.75f, labelScale);
  return image;
}

}  // namespace preview
