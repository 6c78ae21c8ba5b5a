// The frame host: loads the product module and draws a table of scenes and a live update through plugMain
// alone, on a GL context of its own (EGL on Linux, WGL on Windows), checking the context after every frame.
//   mosaro_frame_host MODULE OUT_DIR   writes each picture to OUT_DIR/NAME.rgba (RGBA, bottom row first)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/frames/scenes.h"
#include "tests/support/checks.h"
#include "tools/caller/documents_folder.h"
#include "tools/caller/temp_folder.h"
#include "tools/caller/gl_context.h"
#include "glsupport/host_gl.h"
#include "tests/support/host_context.h"
#include "tools/caller/plugin_module.h"
#include "tools/preview/param_catalogue.h"

namespace fs = std::filesystem;

namespace {

// What the module must hand back after a frame: no error, and the context as the host left it.
void CheckContextAfterFrame(const std::string& where, GLint framebuffer) {
  const std::vector<std::string> changes =
      testsupport::ContextChangesSinceTheHostLeftIt(framebuffer, frames::kWidth, frames::kHeight);
  CHECK_MSG(changes.empty(), where + ": " + testsupport::Joined(changes));
}

class FrameHost {
 public:
  FrameHost(const caller::PluginModule& module, const preview::ParamCatalogue& catalogue)
      : module(module), catalogue(catalogue), target(frames::kWidth, frames::kHeight),
        input(frames::kInputWidth, frames::kInputHeight, frames::InputPicture()) {}

  bool ready() const { return target.complete(); }

  // A new instance with the settings applied; null (and a failure recorded) when that fails.
  void* Start(const std::string& scene, const std::vector<const char*>& settings) {
    std::vector<preview::Setting> parsed;
    for (const char* text : settings) {
      preview::Setting setting;
      if (!CHECK_MSG(preview::ParseSetting(text, scene, setting).ok(), scene + ": bad setting " + text)) return nullptr;
      parsed.push_back(setting);
    }
    std::vector<preview::ResolvedSetting> resolved;
    const preview::CommandStatus status = preview::ResolveAll(catalogue, parsed, resolved);
    if (!CHECK_MSG(status.ok(), scene + ": " + status.message)) return nullptr;
    target.Bind();
    const ViewportRecord viewport{0, 0, frames::kWidth, frames::kHeight};
    void* instance = module.Instantiate(&viewport);
    if (!CHECK_MSG(instance != nullptr, scene + ": code 18 failed")) return nullptr;
    const preview::CommandStatus applied = preview::ApplySettings(module, instance, resolved);
    CHECK_MSG(applied.ok(), scene + ": " + applied.message);
    return instance;
  }

  // Draws one frame over the cleared target and reads it back, bottom row first.
  std::vector<uint8_t> Draw(void* instance, const std::string& where) {
    target.Clear(0.1f, 0.1f, 0.3f, 1.0f);
    GLint framebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    TextureRecord texture{frames::kInputWidth, frames::kInputHeight, frames::kInputWidth, frames::kInputHeight,
                          input.name()};
    TextureRecord* textures[1] = {&texture};
    const FrameRecord frame{1, textures};
    CHECK_MSG(module.ProcessFrame(instance, &frame) == kStatusSuccess, where + ": code 17 failed");
    CheckContextAfterFrame(where, framebuffer);
    return target.ReadPixels();
  }

  void End(void* instance, const std::string& scene) {
    CHECK_MSG(module.DeInstantiate(instance) == kStatusSuccess, scene + ": code 19 failed");
    CHECK_MSG(glGetError() == GL_NO_ERROR, scene + ": GL error after code 19");
  }

  std::vector<uint8_t> Background() {
    target.Clear(0.1f, 0.1f, 0.3f, 1.0f);
    return target.ReadPixels();
  }

 private:
  const caller::PluginModule& module;
  const preview::ParamCatalogue& catalogue;
  caller::RenderTarget target;
  caller::Texture input;
};

size_t DifferentPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  size_t count = 0;
  for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4)
    if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2] || a[i + 3] != b[i + 3]) ++count;
  return count;
}

bool WritePicture(const fs::path& folder, const std::string& name, const std::vector<uint8_t>& pixels) {
  return CHECK_MSG(caller::WriteBytes(folder / (name + ".rgba"), std::string(pixels.begin(), pixels.end())),
               name + ": cannot write its picture");
}

// Live Update on, "Left" under layer 1: the preset is rewritten with "Left" moved but its old write time;
// the picture must stay. Once the write time changes, it must follow by the 59th frame.
void RunLiveUpdate(FrameHost& host, const fs::path& preset, const fs::path& out) {
  const std::string name = "live_update";
  void* instance = host.Start(name, {"Live Update=1", "Slice Output 1=Left"});
  if (!instance) return;
  const std::vector<uint8_t> before = host.Draw(instance, name + " frame 1");
  std::error_code error;
  const fs::file_time_type written = fs::last_write_time(preset, error);
  CHECK_MSG(!error && caller::WriteBytes(preset, frames::StagePreset(true)), name + ": cannot rewrite the preset");
  fs::last_write_time(preset, written, error);
  CHECK_MSG(!error, name + ": cannot keep the preset's write time");
  for (int frame = 1; frame <= 2 * 59; ++frame) {
    const std::string where = name + " frame " + std::to_string(frame) + " after the rewrite";
    if (!CHECK_MSG(host.Draw(instance, where) == before, where + ": the picture changed, the write time did not"))
      break;
  }
  fs::last_write_time(preset, written + std::chrono::seconds(10), error);
  CHECK_MSG(!error, name + ": cannot change the preset's write time");
  std::vector<uint8_t> after;
  for (int frame = 1; frame <= 59; ++frame)
    after = host.Draw(instance, name + " frame " + std::to_string(frame) + " after the time change");
  CHECK_MSG(after != before, name + ": the picture did not follow the moved slice by the 59th frame");
  host.End(instance, name);
  WritePicture(out, name + "_before", before);
  WritePicture(out, name + "_after", after);
}

int Draw(const std::string& modulePath, const fs::path& out) {
  fs::create_directories(out);
  const caller::DocumentsFolder documents;
  if (!CHECK_MSG(documents.valid(), "no documents folder: " + documents.error())) return 1;
  std::printf("documents folder: %s\n", documents.Documents().c_str());
  // Written an hour ago, so that a later change of the write time is unmistakable; in whole seconds, which
  // std::filesystem keeps exactly on every platform when the live update restores the time.
  const int64_t anHourAgo = 1000 * std::chrono::duration_cast<std::chrono::seconds>(
                                       (std::chrono::system_clock::now() - std::chrono::hours(1)).time_since_epoch())
                                       .count();
  const std::string written = documents.WritePreset("Host", "stage.xml", frames::StagePreset(false), anHourAgo);
  if (!CHECK_MSG(!written.empty(), "cannot write the preset into " + documents.PresetFolder("Host"))) return 1;
  const fs::path preset = fs::u8path(written);

  caller::GlContext context;
  if (!CHECK_MSG(context.Create(), "no OpenGL 4.1 core context: " + context.error())) return 1;
  std::printf("GL: %s\n", reinterpret_cast<const char*>(glGetString(GL_VERSION)));
  {
    caller::PluginModule module;
    if (!CHECK_MSG(module.Load(modulePath), module.error())) return 1;
    preview::ParamCatalogue catalogue;
    const preview::CommandStatus described = catalogue.Load(module);
    if (!CHECK_MSG(described.ok(), described.message)) return 1;
    FrameHost host(module, catalogue);
    if (!CHECK_MSG(host.ready(), "no complete framebuffer")) return 1;
    const std::vector<uint8_t> background = host.Background();
    for (const frames::Scene& scene : frames::Scenes()) {
      void* instance = host.Start(scene.name, scene.settings);
      if (!instance) continue;
      // The first frame also connects the instance; the second is the one kept.
      host.Draw(instance, std::string(scene.name) + " frame 1");
      const std::vector<uint8_t> picture = host.Draw(instance, std::string(scene.name) + " frame 2");
      host.End(instance, scene.name);
      // A scene that draws (almost) nothing would compare equal on any build.
      CHECK_MSG(DifferentPixels(picture, background) > picture.size() / 4 / 100,
            std::string(scene.name) + ": draws nothing");
      WritePicture(out, scene.name, picture);
    }
    RunLiveUpdate(host, preset, out);
    CHECK_MSG(module.Deinitialise() == kStatusSuccess, "code 2 failed");
  }
  std::printf("frames: %zu scenes and the live update drawn\n", frames::Scenes().size());
  return testsupport::checks::Summarise() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3) return Draw(argv[1], fs::u8path(argv[2]));
  std::printf("usage: %s MODULE OUT_DIR\n", argv[0]);
  return 2;
}
