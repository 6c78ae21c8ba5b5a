#include "tools/preview/image_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/caller/platform_text.h"
#include "tools/preview/stb_codecs.h"

namespace preview {

CommandStatus ReadImageFile(const std::string& path, Image& image) {
  std::FILE* file = caller::OpenFile(path, "rb");
  if (!file) return CommandStatus::Fail(kExitBadRequest, "cannot read image " + path + ": " + std::strerror(errno));
  std::string reason;
  const bool decoded = DecodeImage(file, image.width, image.height, image.rgba, reason);
  std::fclose(file);
  if (!decoded)
    return CommandStatus::Fail(kExitBadRequest, "cannot read image " + path + ": " + reason +
                                                    " (PNG and JPEG files are read)");
  return CommandStatus::Ok();
}

CommandStatus WritePngFile(const std::string& path, const Image& image) {
  if (image.empty() || image.rgba.size() != static_cast<size_t>(image.width) * image.height * 4)
    return CommandStatus::Fail(kExitBadRequest, "cannot write " + path + ": the picture is empty");
  if (!EncodePng(path, image.width, image.height, image.rgba))
    return CommandStatus::Fail(kExitBadRequest, "cannot write " + path + ": " + std::strerror(errno));
  return CommandStatus::Ok();
}

std::vector<uint8_t> FlipRows(const std::vector<uint8_t>& rgba, int width, int height) {
  const size_t row = static_cast<size_t>(width) * 4;
  std::vector<uint8_t> flipped(rgba.size());
  for (int y = 0; y < height; ++y)
    std::memcpy(flipped.data() + static_cast<size_t>(height - 1 - y) * row, rgba.data() + static_cast<size_t>(y) * row,
                row);
  return flipped;
}

}  // namespace preview
