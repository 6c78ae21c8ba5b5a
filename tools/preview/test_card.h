// The picture the render command uses when no input image is given.
#pragma once

#include "tools/preview/image_io.h"

namespace preview {

// Base colours of the test card's quarters, RGB: top-left, top-right, bottom-left, bottom-right.
constexpr uint8_t kTestCardQuarters[4][3] = {{214, 62, 62}, {58, 170, 86}, {56, 96, 214}, {232, 186, 44}};

// An opaque test card of the given size: four coloured quarters numbered 1 to 4 (reading order) on a
// checker grid, a centre ring and a centre cross, so that placement, turning and mirroring show.
Image MakeTestCard(int width, int height);

}  // namespace preview
