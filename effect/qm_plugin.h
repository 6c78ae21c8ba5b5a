// The slice-mapping effect: its global parameters and 24 layers (effect/layer_params.h), drawn over the host's
// frame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "effect/layer_params.h"
#include "effect/program_uniforms.h"
#include "effect/quad_cache.h"
#include "effect/quad_geometry.h"
#include "glsupport/shader_program.h"
#include "presets/output_setup.h"
#include "quickstart/plugin.h"

// Registry indices of the global parameters, in registration order.
enum GlobalIndex : uint32_t {
  kIndexLiveUpdate = 0,
  kIndexOptions = 1,
  kIndexLimitX = 2,
  kIndexLimitY = 3,
  kIndexGlobalPosition = 4,
  kIndexScalings = 5,
  kIndexRatio = 6,
  kIndexKaleidoscope = 7,
  kIndexKalCentered = 8,
  kIndexUV = 9,
  kIndexEditSlice = 10,
};
static_assert(kIndexEditSlice + 1 == kGlobalParamCount, "the global parameters come before the first layer");

class QmPlugin : public quickstart::Plugin {
 public:
  QmPlugin();
  ~QmPlugin() override;

  // Builds both programs and the quad buffer; 0, or failure after releasing everything.
  uint32_t InitGL(const ViewportRecord* viewport) override;
  // Releases both programs and the quad buffer; safe when nothing exists; returns 0.
  uint32_t DeInitGL() override;
  // Percentages and signed angles for the layer values, the text of a text parameter, else ""; null for an
  // index no parameter has (the text lives in this instance's displayText until its next display call).
  const char* GetParameterDisplay(uint32_t index) override;
  // Stores the value, then shows or hides parameters as the change requires.
  uint32_t SetFloatParameter(uint32_t index, float value) override;
  // Draws every enabled layer, then the overlay quad; failure without an input texture.
  uint32_t ProcessOpenGL(const FrameRecord* frame) override;

  // Registry index of parameter j of layer k (1-based).
  int32_t LayerParamIndex(int32_t k, int32_t j) const { return firstLayerParam + paramsPerLayer * (k - 1) + j; }
  // "None", then "Slice 1" to "Slice 24".
  std::vector<quickstart::OptionElement> BuildEditSliceOptions() const;
  // "None", then one element per entry of the newest preset (read now into outputSetup).
  std::vector<quickstart::OptionElement> BuildSliceOptions();

 private:
  // The tests' one way in (tests/support/qm_plugin_inside.h).
  friend struct QmPluginInside;

  glsupport::ShaderProgram layerProgram;
  glsupport::ShaderProgram overlayProgram;
  QuadGeometry quadGeometry;
  LayerUniforms layerUniforms;    // of layerProgram, found when it is built
  InputUniforms overlayUniforms;  // of overlayProgram, found when it is built
  std::vector<LayerQuads> layerQuads;  // one per layer, layer 1 first
  std::shared_ptr<quickstart::ParamRange> limitX;
  std::shared_ptr<quickstart::ParamRange> limitY;
  std::shared_ptr<quickstart::ParamOption> globalPosition;
  std::shared_ptr<quickstart::ParamOption> uv;
  std::shared_ptr<quickstart::ParamBool> liveUpdate;
  std::shared_ptr<quickstart::ParamBool> options;
  std::shared_ptr<quickstart::ParamBool> kalCentered;
  std::shared_ptr<quickstart::ParamBool> scalings;
  std::shared_ptr<quickstart::ParamBool> ratio;
  std::shared_ptr<quickstart::ParamBool> kaleidoscope;
  std::shared_ptr<quickstart::ParamOption> editSlice;
  char displayText[16] = {};
  int32_t paramsPerLayer = 0;
  int32_t firstLayerParam = 0;
  int32_t layerCount = kLayerCount;
  std::vector<LayerParams> layers;
  OutputSetup outputSetup;
  int32_t frameCounter = 1;

  // The element lists every layer's choices share.
  struct LayerChoices {
    quickstart::SharedOptionElements slices;
    quickstart::SharedOptionElements scalings;
    quickstart::SharedOptionElements symmetries;
  };

  void RegisterGlobals();
  void RegisterLayer(int32_t k, const LayerChoices& choices);
  void ShowEditedLayer();
  void SetOptionsVisible(bool on);
  void SetEditedLayerParamVisible(int32_t j, bool on, bool blockedByPosition);
  void SetPlacementVisible(uint32_t index, float value);
  int32_t EditedLayer() const;
  void SetFrameUniforms();
  void DrawLayer(int32_t k);
  void DrawLayerQuad(const QuadResult& quad);
  void DrawOverlay(const TextureRecord& input);
  void Show(int32_t index, bool visible) { SetParamVisibility(static_cast<uint32_t>(index), visible, true); }
  // Whether the edited layer's Scaling, Ratio and Kaleidoscope are offered ("Scalings", "Ratio", "Kaleidoscope").
  bool ShowsScalings() const { return Values()[kIndexScalings] != 0.0f; }
  bool ShowsRatio() const { return Values()[kIndexRatio] != 0.0f; }
  bool ShowsKaleidoscope() const { return Values()[kIndexKaleidoscope] != 0.0f; }
  // Whether index is parameter j of some layer.
  bool IsLayerSlot(uint32_t index, int32_t j) const;
};
