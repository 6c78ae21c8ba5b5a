// The image codecs of Debian's stb headers, behind plain functions (their code is compiled in one file).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace preview {

// Decodes a PNG or JPEG from an open file into RGBA8, top row first; false with the decoder's reason.
bool DecodeImage(std::FILE* file, int& width, int& height, std::vector<uint8_t>& rgba, std::string& reason);

// Encodes RGBA8 pixels, top row first, as a PNG file; false when the file cannot be written.
bool EncodePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

// One filled rectangle of a text drawn with the built-in stroke font, in font units (a capital is 7 high).
struct GlyphRect {
  float x0, y0, x1, y1;
};

// The rectangles of text in the stroke font, the first character's top-left corner at (0, 0).
std::vector<GlyphRect> TextRects(const std::string& text);

// Width of text in the stroke font's units.
float TextWidth(const std::string& text);

}  // namespace preview
