// The one translation unit that compiles stb's codecs; built with stb's own warnings relaxed.
#include "tools/preview/stb_codecs.h"

// File names are UTF-8 text on every platform (on Windows stb then opens them by their wide form).
#define STBI_WINDOWS_UTF8
#define STBIW_WINDOWS_UTF8
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#include <stb/stb_easy_font.h>

namespace preview {

bool DecodeImage(std::FILE* file, int& width, int& height, std::vector<uint8_t>& rgba, std::string& reason) {
  int channels = 0;
  stbi_uc* pixels = stbi_load_from_file(file, &width, &height, &channels, 4);
  if (!pixels) {
    const char* why = stbi_failure_reason();
    reason = why ? why : "unknown format";
    width = height = 0;
    return false;
  }
  rgba.assign(pixels, pixels + static_cast<size_t>(width) * height * 4);
  stbi_image_free(pixels);
  return true;
}

bool EncodePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
  return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

namespace {

// The text as the stroke font can take it: printable ASCII, anything else shown as '?'.
std::vector<char> FontText(const std::string& text) {
  std::vector<char> printable;
  for (char c : text) printable.push_back(c == '\n' || (c >= 32 && c <= 126) ? c : '?');
  printable.push_back('\0');
  return printable;
}

}  // namespace

std::vector<GlyphRect> TextRects(const std::string& text) {
  // stb_easy_font writes four vertices of 16 bytes per rectangle.
  std::vector<char> textCopy = FontText(text);
  std::vector<char> vertices(text.size() * 70 * 64 + 64);
  const int quads = stb_easy_font_print(0.0f, 0.0f, textCopy.data(), nullptr, vertices.data(),
                                        static_cast<int>(vertices.size()));
  std::vector<GlyphRect> rects;
  for (int q = 0; q < quads; ++q) {
    const float* corner0 = reinterpret_cast<const float*>(vertices.data() + q * 64);
    const float* corner2 = reinterpret_cast<const float*>(vertices.data() + q * 64 + 32);
    rects.push_back({corner0[0], corner0[1], corner2[0], corner2[1]});
  }
  return rects;
}

float TextWidth(const std::string& text) {
  std::vector<char> textCopy = FontText(text);
  return static_cast<float>(stb_easy_font_width(textCopy.data()));
}

}  // namespace preview
