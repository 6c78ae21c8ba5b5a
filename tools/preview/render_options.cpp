#include "tools/preview/render_options.h"

namespace preview {

CLI::App* AddRenderCommand(CLI::App& app, RenderRequest& request, bool& verbose) {
  CLI::App* render = app.add_subcommand("render", "Render a mapping to a PNG, as a host would draw one frame");
  render->add_option("output", request.outputPng, "PNG file to write")->required();
  render->add_option("-i,--input", request.inputImage, "Input picture, PNG or JPEG (default: a generated test card)");
  render->add_option("--size", request.size, "Viewport, WxH")->capture_default_str();
  CLI::Option* documents = render->add_option(
      "--documents", request.documentsFolder, "Run the effect as if this folder were the user's documents folder");
  render->add_option("--preset", request.presetFile, "Stage this Advanced Output preset as the only one")
      ->excludes(documents);
  render->add_option("--scene", request.sceneFile, "Settings file: one Name=value a line, # starts a comment");
  render->add_option("--set", request.sets,
                     "Name=value, repeatable; numbers, option element names (or positions), text for Name k")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  render->add_option("--frames", request.frames, "Frames drawn before the picture is read")
      ->check(CLI::Range(1, 100000))
      ->capture_default_str();
  render->add_option("--base", request.base, "What the framebuffer holds before the effect draws")
      ->check(CLI::IsMember({"black", "transparent", "input"}))
      ->capture_default_str();
  render->add_flag("-v,--verbose", verbose, "Print the value each setting left in the instance");
  render->footer("Exit codes: 1 bad request (names, values, files), 2 module failure, 3 no OpenGL 4.1 context.");
  return render;
}

}  // namespace preview
