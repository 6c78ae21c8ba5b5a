#include "tests/frames/scenes.h"

#include "tests/support/preset_writer.h"

namespace frames {

const std::vector<Scene>& Scenes() {
  static const std::vector<Scene> scenes = {
      {"default_layer", {}},
      {"rotate_out", {"Width 1=300", "Height 1=160", "Position X 1=-80", "Rotate Out 1=33"}},
      {"kaleidoscope_repeat",
       {"UV=Repeat", "Width 1=320", "Height 1=320", "Kaleidoscope 1=6", "Rotate In 1=25", "Scale In 1=0.04"}},
      {"alpha_opacity",
       {"Width 1=360", "Height 1=200", "Position X 1=-90", "Enable 2=1", "Width 2=300", "Height 2=240",
        "Position X 2=110", "Sample X 2=0.25", "Alpha 2=1", "Opacity 2=0.5"}},
      {"mirror_top_left",
       {"Global Position=Top Left", "Width 1=200", "Height 1=150", "Position X 1=40", "Position Y 1=30",
        "Rotate Out 1=20", "Symmetry 1=Mirror"}},
      {"on_slices", {"Slice Output 1=Left", "Enable 2=1", "Slice Output 2=Strip", "Scale In 2=0.25"}},
      {"mapped_window_flipped",
       {"Slice Output 1=Right", "Slice Sample 1=Pillar", "Scaling 1=Fit", "Symmetry 1=Flipped"}},
      {"limits_sample_scale",
       {"Limit X=0.2", "Limit Y=0.1", "Width 1=400", "Height 1=240", "Sample X 1=0.15", "Scale In 1=0.5"}},
      {"last_layer_only",
       {"Enable 1=0", "Enable 24=1", "Width 24=260", "Height 24=200", "Position Y 24=40", "Rotate Out 24=-12"}},
  };
  return scenes;
}

std::vector<uint8_t> InputPicture() {
  std::vector<uint8_t> rgba;
  rgba.reserve(static_cast<size_t>(kInputWidth) * kInputHeight * 4);
  for (int y = 0; y < kInputHeight; ++y) {
    for (int x = 0; x < kInputWidth; ++x) {
      const bool dark = ((x / 30) + (y / 30)) % 2 == 1;
      rgba.push_back(static_cast<uint8_t>(x * 255 / (kInputWidth - 1)));
      rgba.push_back(static_cast<uint8_t>(y * 255 / (kInputHeight - 1)));
      rgba.push_back(static_cast<uint8_t>(dark ? 60 : 200));
      rgba.push_back(255);
    }
  }
  return rgba;
}

std::string StagePreset(bool leftMoved) {
  using testsupport::PresetCorners;
  // Corners top-left, top-right, bottom-right, bottom-left; y grows downwards.
  const PresetCorners left = leftMoved ? PresetCorners{{30, 200}, {290, 200}, {290, 330}, {30, 330}}
                                       : PresetCorners{{30, 30}, {290, 30}, {290, 160}, {30, 160}};
  const PresetCorners right = testsupport::Box(350, 30, 610, 160);
  // Turned by about 22.6 degrees: edges along (12, 5) and (-5, 12).
  const PresetCorners strip = {{240, 180}, {480, 280}, {460, 328}, {220, 228}};
  const PresetCorners pillar = testsupport::Box(520, 190, 600, 340);
  // The effect lists a screen's slices last to first.
  const std::vector<testsupport::PresetScreen> screens = {
      {"Front",
       {{"Strip", strip, testsupport::Box(0, 180, 640, 240)},
        {"Right", right, testsupport::Box(320, 0, 640, 180)},
        {"Left", left, testsupport::Box(0, 0, 320, 180)}}},
      {"Side", {{"Pillar", pillar, testsupport::Box(560, 180, 640, 360)}}}};
  testsupport::PresetStyle style;
  style.documentName = "Frames";
  return testsupport::PresetXml(screens, style);
}

}  // namespace frames
