#include "tests/support/preset_writer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "presets/xml_text.h"

namespace testsupport {

namespace {

// A number as the host writes it: whole numbers without a fraction, others with the digits a float needs.
std::string Number(float value) {
  char text[32];
  if (std::isfinite(value) && std::fabs(value) < 1e9f && value == std::trunc(value))
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
  else
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

using Attributes = std::vector<std::pair<std::string, std::string>>;

// Writes elements flat (line ends only where Break asks for one) or indented (one element a line).
class XmlOut {
 public:
  explicit XmlOut(const PresetStyle& style) : style(style) {}

  void Open(const std::string& tag, const Attributes& attributes = {}) {
    Line("<" + tag + Text(attributes) + ">");
    ++depth;
  }
  void Close(const std::string& tag) {
    --depth;
    Line("</" + tag + ">");
  }
  void Leaf(const std::string& tag, const Attributes& attributes = {}) { Line("<" + tag + Text(attributes) + "/>"); }
  // A line end in the flat layout; the indented one ends every element's line anyway.
  void Break() {
    if (!style.indented) text += style.lineEnd;
  }
  void Declaration() { text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + style.lineEnd; }
  const std::string& str() const { return text; }

 private:
  static std::string Text(const Attributes& attributes) {
    std::string out;
    for (const auto& [name, value] : attributes) out += " " + name + "=\"" + EscapeXml(value) + "\"";
    return out;
  }
  void Line(const std::string& element) {
    if (!style.indented) {
      text += element;
      return;
    }
    for (int level = 0; level < depth; ++level) text += style.indent;
    text += element + style.lineEnd;
  }

  const PresetStyle& style;
  std::string text;
  int depth = 0;
};

void Point(XmlOut& out, PresetPoint p) { out.Leaf("v", {{"x", Number(p.x)}, {"y", Number(p.y)}}); }

void Rect(XmlOut& out, const std::string& tag, const PresetCorners& c, bool host) {
  out.Open(tag, host ? Attributes{{"orientation", "0"}} : Attributes{});
  for (PresetPoint p : {c.topLeft, c.topRight, c.bottomRight, c.bottomLeft}) Point(out, p);
  out.Close(tag);
  out.Break();
}

void Param(XmlOut& out, const std::string& element, const std::string& name, const std::string& type,
           const std::string& fallback, const std::string& value) {
  out.Leaf(element, {{"name", name}, {"T", type}, {"default", fallback}, {"value", value}});
}

// The parameter blocks before the rectangles; with every parameter the host keeps, or only the usual few.
void SliceParameters(XmlOut& out, const std::string& name, bool full) {
  out.Open("Params", {{"name", "Input"}});
  out.Leaf("ParamChoice", {{"name", "Input Source"}, {"default", "0:1"}, {"value", "0:1"}, {"storeChoices", "0"}});
  if (full) Param(out, "Param", "Input Opacity", "DOUBLE", "1", "1");
  out.Close("Params");
  out.Break();
  out.Open("Params", {{"name", "Common"}});
  Param(out, "Param", "Name", "STRING", "Layer", name);
  Param(out, "Param", "Enabled", "BOOL", "1", "1");
  if (full) {
    Param(out, "Param", "Solo", "BOOL", "0", "0");
    Param(out, "Param", "Bypass", "BOOL", "0", "0");
    Param(out, "Param", "Lock", "BOOL", "0", "0");
  }
  out.Close("Params");
  out.Break();
  out.Open("Params", {{"name", "Output"}});
  Param(out, "Param", "Flip", "UINT8", "0", "0");
  Param(out, "ParamRange", "Brightness", "DOUBLE", "0", "0");
  if (full) {
    for (const char* range : {"Contrast", "Red", "Green", "Blue", "Gamma", "Hue", "Saturation"})
      Param(out, "ParamRange", range, "DOUBLE", "0", "0");
    Param(out, "Param", "Is Key", "BOOL", "0", "0");
    Param(out, "Param", "Black BG", "BOOL", "0", "0");
  }
  out.Close("Params");
  out.Break();
}

// The warper of a slice (a grid of side x side points over its output rectangle and a homography), its mask
// (a rectangle, or an outline of 16 points around the output rectangle) and its soft edge.
void SliceExtras(XmlOut& out, const PresetCorners& output, bool fine) {
  const int side = fine ? 7 : 4;
  out.Open("Warper");
  out.Open("Params", {{"name", "Warper"}});
  Param(out, "Param", "Point Mode", "UINT8", "0", "0");
  out.Close("Params");
  out.Open("BezierWarper", {{"controlWidth", std::to_string(side)}, {"controlHeight", std::to_string(side)}});
  out.Open("vertices");
  const float stepX = (output.topRight.x - output.topLeft.x) / static_cast<float>(side - 1),
              stepY = (output.bottomLeft.y - output.topLeft.y) / static_cast<float>(side - 1);
  for (int i = 0; i < side * side; ++i)
    Point(out, {output.topLeft.x + static_cast<float>(i % side) * stepX,
                output.topLeft.y + static_cast<float>(i / side) * stepY});
  out.Close("vertices");
  out.Close("BezierWarper");
  out.Open("Homography");
  for (const char* side : {"src", "dst"}) {
    out.Open(side);
    for (PresetPoint p : {PresetPoint{0, 0}, PresetPoint{1, 0}, PresetPoint{1, 1}, PresetPoint{0, 1}}) Point(out, p);
    out.Close(side);
  }
  out.Close("Homography");
  out.Close("Warper");
  out.Break();
  out.Open("SliceMask", {{"enabled", "0"}});
  out.Open("ShapeObject", {{"name", "Mask"}});
  if (fine) {
    out.Open("Path", {{"closed", "1"}});
    for (int i = 0; i < 16; ++i) {
      const float t = static_cast<float>(i % 4) / 4;
      const PresetPoint corners[4] = {output.topLeft, output.topRight, output.bottomRight, output.bottomLeft};
      const PresetPoint from = corners[i / 4], to = corners[(i / 4 + 1) % 4];
      Point(out, {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
    }
    out.Close("Path");
  } else {
    Rect(out, "Rect", Box(0, 0, 10, 10), true);
  }
  out.Close("ShapeObject");
  out.Close("SliceMask");
  out.Break();
  out.Leaf("SoftEdge", {{"enabled", "0"}, {"gamma", "1.8"}, {"power", "2"}, {"luminance", "0.5"}});
  out.Break();
}

void Slice(XmlOut& out, const PresetSlice& slice, PresetMarkup markup, int64_t uniqueId) {
  const bool host = markup != PresetMarkup::Bare;
  if (!host) {
    out.Open("Slice");
    out.Open("Params", {{"name", "Common"}});
    out.Leaf("Param", {{"name", "Name"}, {"value", slice.name}});
    out.Close("Params");
    Rect(out, "InputRect", slice.input, false);
    Rect(out, "OutputRect", slice.output, false);
    out.Close("Slice");
    return;
  }
  out.Open("Slice", {{"uniqueId", std::to_string(uniqueId)}});
  out.Break();
  SliceParameters(out, slice.name, markup != PresetMarkup::Host);
  Rect(out, "InputRect", slice.input, true);
  Rect(out, "OutputRect", slice.output, true);
  SliceExtras(out, slice.output, markup == PresetMarkup::LedWallTool);
  out.Close("Slice");
}

void AppendUtf16(std::string& out, uint32_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// UTF-8 text as UTF-16 little-endian bytes after a byte-order mark.
std::string Utf16(const std::string& utf8) {
  std::string out = "\xFF\xFE";
  for (size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    uint32_t code = length == 1 ? byte : byte & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + static_cast<size_t>(k) < utf8.size(); ++k)
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]) & 0x3F);
    i += static_cast<size_t>(length);
    if (code < 0x10000) {
      AppendUtf16(out, code);
    } else {
      code -= 0x10000;
      AppendUtf16(out, 0xD800 + (code >> 10));
      AppendUtf16(out, 0xDC00 + (code & 0x3FF));
    }
  }
  return out;
}

}  // namespace

PresetCorners Box(float x0, float y0, float x1, float y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

std::string PresetXml(const std::vector<PresetScreen>& screens, const PresetStyle& style) {
  const bool host = style.markup != PresetMarkup::Bare;
  XmlOut out(style);
  out.Declaration();
  out.Open("XmlState", {{"name", style.documentName}});
  out.Break();
  if (host) {
    out.Leaf("versionInfo", {{"name", "Host"}, {"majorVersion", "7"}, {"minorVersion", "13"}, {"microVersion", "2"}});
    out.Break();
  }
  out.Open("ScreenSetup", {{"name", "ScreenSetup"}});
  if (host) {
    out.Leaf("Params", {{"name", "ScreenSetupParams"}});
    out.Open("sizing");
    out.Open("inputs");
    out.Leaf("InputSize", {{"id", "0"}, {"width", "1920"}, {"height", "1080"}});
    out.Close("inputs");
    out.Close("sizing");
    out.Break();
  }
  out.Open("screens");
  out.Break();
  int64_t uniqueId = 1611000000000;
  for (const PresetScreen& screen : screens) {
    out.Open("Screen", {{"name", screen.name}});
    if (host) {
      out.Open("Params", {{"name", "Params"}});
      Param(out, "Param", "Name", "STRING", "", screen.name);
      out.Close("Params");
      out.Break();
    }
    out.Open("layers");
    out.Break();
    for (const PresetSlice& slice : screen.slices) {
      Slice(out, slice, style.markup, uniqueId++);
      out.Break();
    }
    out.Close("layers");
    if (host) {
      out.Break();
      out.Open("OutputDevice");
      out.Leaf("OutputDeviceVirtual", {{"name", "Screen"}, {"width", "1920"}, {"height", "1080"}});
      out.Close("OutputDevice");
      out.Break();
    }
    out.Close("Screen");
    out.Break();
  }
  out.Close("screens");
  if (host) {
    out.Break();
    out.Open("SoftEdging");
    out.Leaf("Params", {{"name", "SoftEdging"}});
    out.Close("SoftEdging");
    out.Break();
  }
  out.Close("ScreenSetup");
  if (host) out.Break();
  out.Close("XmlState");
  out.Break();
  switch (style.encoding) {
    case PresetEncoding::Utf8: return out.str();
    case PresetEncoding::Utf8WithBom: return "\xEF\xBB\xBF" + out.str();
    case PresetEncoding::Utf16LittleEndian: return Utf16(out.str());
  }
  return out.str();
}

std::vector<ListedEntry> ListedEntries(const std::vector<PresetScreen>& screens) {
  std::vector<ListedEntry> entries;
  for (const PresetScreen& screen : screens) {
    if (screen.slices.empty()) continue;
    ListedEntry entry;
    entry.screenName = screen.name;
    entries.push_back(entry);
    for (auto slice = screen.slices.rbegin(); slice != screen.slices.rend(); ++slice)
      entries.push_back({"", slice->name, slice->input, slice->output});
  }
  return entries;
}

std::vector<PresetScreen> ScreenListing(const std::string& screenName, std::vector<PresetSlice> slices) {
  return {{screenName, std::vector<PresetSlice>(slices.rbegin(), slices.rend())}};
}

std::vector<PresetScreen> SliceGrid(int count) {
  std::vector<PresetScreen> screens;
  for (int i = 0; i < count; ++i) {
    if (i % 25 == 0) screens.push_back({"Screen " + std::to_string(i / 25 + 1), {}});
    const auto x = static_cast<float>((i % 16) * 120), y = static_cast<float>((i / 16 % 9) * 120);
    screens.back().slices.push_back(
        {"Slice " + std::to_string(i + 1), Box(x, y, x + 120, y + 120), Box(2 * x, 2 * y, 2 * x + 240, 2 * y + 240)});
  }
  return screens;
}

}  // namespace testsupport
