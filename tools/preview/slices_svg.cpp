#include "tools/preview/slices_svg.h"

#include <algorithm>
#include <cstdio>

#include "presets/xml_text.h"

namespace preview {
namespace {

const char* const kScreenColours[] = {"#e8554e", "#3fb0e8", "#f2c12e", "#6cc56c", "#b57be8", "#f08c3c"};

std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

std::string Point(const SlicePoint& p) { return Number(p.x) + "," + Number(p.y); }

std::string SlicePolygon(const SliceRecord& slice, const std::string& colour) {
  const SlicePoint* r = slice.inputRect;
  // Stored top-left, top-right, bottom-left, bottom-right; drawn around the outline.
  return "  <polygon points=\"" + Point(r[0]) + " " + Point(r[1]) + " " + Point(r[3]) + " " + Point(r[2]) +
         "\" fill=\"" + colour + "\" fill-opacity=\"0.3\" stroke=\"" + colour + "\" stroke-width=\"2\"/>\n";
}

std::string SliceLabel(const SliceRecord& slice, size_t position, float fontSize) {
  const SlicePoint* r = slice.inputRect;
  const float cx = (r[0].x + r[1].x + r[2].x + r[3].x) * 0.25f;
  const float cy = (r[0].y + r[1].y + r[2].y + r[3].y) * 0.25f;
  std::string label = std::to_string(position);
  if (!slice.sliceName.empty()) label += " " + slice.sliceName;
  return "  <text x=\"" + Number(cx) + "\" y=\"" + Number(cy) + "\" font-size=\"" + Number(fontSize) +
         "\" text-anchor=\"middle\" dominant-baseline=\"middle\" fill=\"#ffffff\">" + EscapeXml(label) + "</text>\n";
}

}  // namespace

std::string SlicesSvg(const std::vector<SliceRecord>& slices, int width, int height) {
  float minX = 0.0f, minY = 0.0f, maxX = static_cast<float>(width), maxY = static_cast<float>(height);
  for (const SliceRecord& slice : slices) {
    for (const SlicePoint& p : slice.inputRect) {
      minX = std::min(minX, p.x);
      minY = std::min(minY, p.y);
      maxX = std::max(maxX, p.x);
      maxY = std::max(maxY, p.y);
    }
  }
  const float fontSize = std::max(12.0f, static_cast<float>(height) / 36.0f);
  const size_t screens = static_cast<size_t>(std::count_if(
      slices.begin(), slices.end(), [](const SliceRecord& s) { return s.IsScreenEntry(); }));
  const float legendTop = maxY + fontSize;
  const float bottom = legendTop + fontSize * 1.5f * static_cast<float>(std::max<size_t>(screens, 1) + 1);
  const float margin = fontSize;

  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" + Number(minX - margin) + " " +
                    Number(minY - margin) + " " + Number(maxX - minX + 2 * margin) + " " +
                    Number(bottom - minY + margin) + "\" font-family=\"sans-serif\">\n";
  svg += "  <rect x=\"" + Number(minX - margin) + "\" y=\"" + Number(minY - margin) + "\" width=\"" +
         Number(maxX - minX + 2 * margin) + "\" height=\"" + Number(bottom - minY + margin) + "\" fill=\"#111111\"/>\n";
  svg += "  <rect x=\"0\" y=\"0\" width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) +
         "\" fill=\"#2a2a2a\" stroke=\"#9a9a9a\" stroke-width=\"2\"/>\n";
  svg += "  <text x=\"0\" y=\"" + Number(legendTop) + "\" font-size=\"" + Number(fontSize) +
         "\" fill=\"#9a9a9a\">composition " + std::to_string(width) + "x" + std::to_string(height) +
         "; slices by their position in the slice choices</text>\n";

  std::string colour = kScreenColours[0];
  size_t screen = 0;
  for (size_t i = 0; i < slices.size(); ++i) {
    const SliceRecord& slice = slices[i];
    if (slice.IsScreenEntry()) {
      colour = kScreenColours[screen % (sizeof kScreenColours / sizeof kScreenColours[0])];
      ++screen;
      svg += "  <text x=\"0\" y=\"" + Number(legendTop + fontSize * 1.5f * static_cast<float>(screen)) +
             "\" font-size=\"" + Number(fontSize) + "\" fill=\"" + colour + "\">" + std::to_string(i + 1) + " ( " +
             EscapeXml(slice.screenName) + " )</text>\n";
      continue;
    }
    svg += SlicePolygon(slice, colour);
    svg += "  <circle cx=\"" + Number(slice.inputRect[0].x) + "\" cy=\"" + Number(slice.inputRect[0].y) + "\" r=\"" +
           Number(fontSize * 0.3f) + "\" fill=\"" + colour + "\"/>\n";
    svg += SliceLabel(slice, i + 1, fontSize);
  }
  return svg + "</svg>\n";
}

}  // namespace preview
