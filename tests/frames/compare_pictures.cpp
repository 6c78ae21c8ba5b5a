// Compares the pictures of two builds: two folders (every *.rgba and *.png by name; both must hold the same
// names) or two files. Pictures are PNG files, or raw RGBA of the frame host's size.
//   mosaro_compare_pictures A B
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "tests/frames/scenes.h"
#include "tests/support/checks.h"
#include "tools/caller/temp_folder.h"
#include "tools/preview/image_io.h"

namespace fs = std::filesystem;

namespace {

bool IsPicture(const fs::path& path) { return path.extension() == ".rgba" || path.extension() == ".png"; }

bool Load(const fs::path& path, std::vector<uint8_t>& rgba) {
  if (path.extension() == ".png") {
    preview::Image image;
    if (!preview::ReadImageFile(path.u8string(), image).ok()) return false;
    rgba = image.rgba;
    return true;
  }
  std::string bytes;
  if (!caller::ReadBytes(path, bytes)) return false;
  rgba.assign(bytes.begin(), bytes.end());
  return rgba.size() == static_cast<size_t>(frames::kWidth) * frames::kHeight * 4;
}

// Identical pictures are demanded, with one allowance: each build computes quad corners (and the preview tool
// its test card) with its own C runtime's sin, cos, asin, acos and hypot, which differ in the last bit for some
// arguments (glibc and the mingw-w64 runtime do, e.g. acos(-0.8)): enough to move an edge or a sample point by
// a rounding step. At most 0.1 % of a picture's pixels may then differ, by at most 3 levels in any channel.
bool Same(const fs::path& a, const fs::path& b, const std::string& name) {
  std::vector<uint8_t> left, right;
  if (!CHECK_MSG(Load(a, left) && Load(b, right) && left.size() == right.size() && !left.empty(),
                 name + ": missing, unreadable or of another size"))
    return false;
  size_t differing = 0;
  int largest = 0;
  for (size_t i = 0; i < left.size(); i += 4) {
    int pixel = 0;
    for (size_t c = 0; c < 4; ++c) pixel = std::max(pixel, std::abs(left[i + c] - right[i + c]));
    if (pixel > 0) ++differing;
    largest = std::max(largest, pixel);
  }
  const bool same = differing * 1000 <= left.size() / 4 && largest <= 3;
  if (differing == 0) std::printf("%-32s identical\n", name.c_str());
  else if (same) std::printf("%-32s %zu pixels differ, by up to %d levels\n", name.c_str(), differing, largest);
  return CHECK_MSG(same, name + ": " + std::to_string(differing) + " pixels differ, by up to " +
                             std::to_string(largest) + " levels");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: %s A B (two folders or two pictures)\n", argv[0]);
    return 2;
  }
  const fs::path a = fs::u8path(argv[1]);
  const fs::path b = fs::u8path(argv[2]);
  if (!fs::is_directory(a)) {
    Same(a, b, a.filename().u8string());
  } else {
    std::set<std::string> names;
    for (const fs::path& folder : {a, b})
      for (const auto& entry : fs::directory_iterator(folder))
        if (IsPicture(entry.path())) names.insert(entry.path().filename().u8string());
    CHECK_MSG(!names.empty(), "no pictures in " + a.u8string());
    for (const std::string& name : names) Same(a / fs::u8path(name), b / fs::u8path(name), name);
  }
  return testsupport::checks::Summarise() ? 0 : 1;
}
