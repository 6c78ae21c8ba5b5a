#include "quickstart/colour_conversion.h"

#include <cmath>

namespace quickstart {

std::array<float, 3> HsbToRgb(float h, float s, float v) {
  if (h == 1.0f) h = 0.0f;
  if (s == 0.0f) return {v, v, v};
  const float h6 = h * 6.0f;
  // The sector stays a float: converting a NaN or huge hue to an integer would be undefined.
  const float k = std::floor(h6);
  const float f = h6 - k;
  const float p = v * (1.0f - s);
  const float q = v * (1.0f - f * s);
  const float t = v * (1.0f - (1.0f - f) * s);
  if (k == 0.0f) return {v, t, p};
  if (k == 1.0f) return {q, v, p};
  if (k == 2.0f) return {p, v, t};
  if (k == 3.0f) return {p, q, v};
  if (k == 4.0f) return {t, p, v};
  return {v, p, q};
}

}  // namespace quickstart
