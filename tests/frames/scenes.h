// What the frame host draws: the input picture, the preset it places in the documents folder, and the
// table of scenes (parameter settings by name, as the preview tool takes them).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace frames {

constexpr int kWidth = 640;  // the viewport; slice rectangles are in its pixels
constexpr int kHeight = 360;
constexpr int kInputWidth = 480;  // the input texture, scaled onto the layers
constexpr int kInputHeight = 270;

struct Scene {
  const char* name;
  std::vector<const char*> settings;  // "Name=value", applied in order after the defaults
};

// The scenes every build must draw alike.
const std::vector<Scene>& Scenes();

// The input picture, RGBA bottom row first: integer colour ramps and a checker, the same on every platform.
std::vector<uint8_t> InputPicture();

// A host preset with the screens "Front" (slices "Left", "Right" and the turned "Strip") and "Side"
// (slice "Pillar"); with leftMoved, "Left" lies in the lower half of the frame instead of the upper.
std::string StagePreset(bool leftMoved);

}  // namespace frames
