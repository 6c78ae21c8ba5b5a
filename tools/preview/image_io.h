// Pictures for the preview tool: RGBA8 images read from PNG or JPEG and written as PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/preview/command_status.h"

namespace preview {

// An RGBA8 picture, top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // width * height * 4 bytes

  bool empty() const { return width <= 0 || height <= 0; }
  // The four bytes of pixel (x, y), y counted from the top.
  const uint8_t* Pixel(int x, int y) const { return rgba.data() + (static_cast<size_t>(y) * width + x) * 4; }
};

// Reads a PNG or JPEG file (any channel count, expanded to RGBA); fails with the reason.
CommandStatus ReadImageFile(const std::string& path, Image& image);

// Writes the picture as an RGBA PNG; fails when the file cannot be written.
CommandStatus WritePngFile(const std::string& path, const Image& image);

// The rows in reverse order: turns a top-row-first picture into bottom-row-first pixels and back.
std::vector<uint8_t> FlipRows(const std::vector<uint8_t>& rgba, int width, int height);

}  // namespace preview
