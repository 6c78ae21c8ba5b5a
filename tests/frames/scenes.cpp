#include "tests/frames/scenes.h"

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

namespace {

struct Corners {
  int x[4];
  int y[4];
};

std::string Rect(const char* tag, const Corners& c) {
  std::string text = std::string("<") + tag + ">";
  for (int i = 0; i < 4; ++i)
    text += "<v x=\"" + std::to_string(c.x[i]) + "\" y=\"" + std::to_string(c.y[i]) + "\"/>";
  return text + "</" + tag + ">";
}

std::string Slice(const char* name, const Corners& input, const Corners& output) {
  return std::string("<Slice><Params name=\"Common\"><Param name=\"Name\" T=\"STRING\" value=\"") + name +
         "\"/></Params>" + Rect("InputRect", input) + Rect("OutputRect", output) + "</Slice>\n";
}

std::string Screen(const char* name, const std::string& slices) {
  return std::string("<Screen name=\"") + name + "\"><layers>\n" + slices + "</layers></Screen>\n";
}

}  // namespace

std::string StagePreset(bool leftMoved) {
  // Corners as the host writes them: top-left, top-right, bottom-right, bottom-left; y grows downwards.
  const Corners left = leftMoved ? Corners{{30, 290, 290, 30}, {200, 200, 330, 330}}
                                 : Corners{{30, 290, 290, 30}, {30, 30, 160, 160}};
  const Corners right = {{350, 610, 610, 350}, {30, 30, 160, 160}};
  // Turned by about 22.6 degrees: edges along (12, 5) and (-5, 12).
  const Corners strip = {{240, 480, 460, 220}, {180, 280, 328, 228}};
  const Corners pillar = {{520, 600, 600, 520}, {190, 190, 340, 340}};
  const Corners leftOut = {{0, 320, 320, 0}, {0, 0, 180, 180}};
  const Corners rightOut = {{320, 640, 640, 320}, {0, 0, 180, 180}};
  const Corners stripOut = {{0, 640, 640, 0}, {180, 180, 240, 240}};
  const Corners pillarOut = {{560, 640, 640, 560}, {180, 180, 360, 360}};
  // The reader lists a screen's slices last to first.
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XmlState name=\"Frames\">\n"
         "<versionInfo name=\"Host\" majorVersion=\"7\" minorVersion=\"0\"/>\n"
         "<ScreenSetup name=\"ScreenSetup\"><screens>\n" +
         Screen("Front", Slice("Strip", strip, stripOut) + Slice("Right", right, rightOut) +
                             Slice("Left", left, leftOut)) +
         Screen("Side", Slice("Pillar", pillar, pillarOut)) + "</screens></ScreenSetup></XmlState>\n";
}

}  // namespace frames
