// Hue, saturation and brightness (each 0..1) to red, green and blue.
#pragma once

#include <array>

namespace quickstart {

// Hue 1.0 counts as 0.0; saturation 0 gives grey; a hue outside 0..1 (or NaN) falls in the last sector.
std::array<float, 3> HsbToRgb(float hue, float saturation, float brightness);

}  // namespace quickstart
