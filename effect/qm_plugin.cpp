#include "effect/qm_plugin.h"

#include <memory>
#include <string>
#include <utility>

#include "presets/preset_discovery.h"

using quickstart::OptionElement;
using quickstart::ParamBool;
using quickstart::ParamOption;
using quickstart::ParamRange;
using quickstart::ParamText;

namespace {

std::vector<OptionElement> ElementsNamed(std::initializer_list<const char*> names) {
  std::vector<OptionElement> elements;
  float position = 0.0f;
  for (const char* name : names) elements.push_back(OptionElement{name, position++});
  return elements;
}

quickstart::SharedOptionElements Shared(std::vector<OptionElement> elements) {
  return std::make_shared<const std::vector<OptionElement>>(std::move(elements));
}

std::string LayerName(const char* baseName, int32_t k) { return std::string(baseName) + " " + std::to_string(k); }

}  // namespace

QmPlugin::QmPlugin() {
  minInputs = 1;
  maxInputs = 1;
  RegisterGlobals();
  // Every layer's choices share one list of each kind, in the options and in the registry.
  const LayerChoices choices{Shared(BuildSliceOptions()), Shared(ElementsNamed({"None", "Fit", "Fill", "Stretch"})),
                             Shared(ElementsNamed({"Off", "Mirror", "Flipped", "Sample Flip"}))};
  layers.reserve(static_cast<size_t>(layerCount));
  for (int32_t k = 1; k <= layerCount; ++k) {
    if (k == 1) firstLayerParam = static_cast<int32_t>(Params().size());
    RegisterLayer(k, choices);
    if (k == 1) paramsPerLayer = static_cast<int32_t>(Params().size()) - firstLayerParam;
  }
  layerQuads.resize(static_cast<size_t>(layerCount));
}

QmPlugin::~QmPlugin() = default;

void QmPlugin::RegisterGlobals() {
  liveUpdate = ParamBool::Create("Live Update", true);
  AddParam(liveUpdate);
  options = ParamBool::Create("Options", false);
  AddParam(options);
  limitX = ParamRange::Create("Limit X", 0.0f, 0.0f, 1.0f);
  AddParam(limitX);
  limitY = ParamRange::Create("Limit Y", 0.0f, 0.0f, 1.0f);
  AddParam(limitY);
  globalPosition = ParamOption::Create("Global Position", ElementsNamed({"Center", "Top Left"}), 0);
  AddParam(globalPosition);
  scalings = ParamBool::Create("Scalings", true);
  AddParam(scalings);
  ratio = ParamBool::Create("Ratio", true);
  AddParam(ratio);
  kaleidoscope = ParamBool::Create("Kaleidoscope", true);
  AddParam(kaleidoscope);
  kalCentered = ParamBool::Create("Kal. Centered", false);
  AddParam(kalCentered);
  uv = ParamOption::Create("UV", ElementsNamed({"Clamp", "Repeat", "Unfold", "Quad"}), 2);
  AddParam(uv);
  editSlice = ParamOption::Create("Edit Slice", BuildEditSliceOptions(), 0);
  AddParam(editSlice);
}

void QmPlugin::RegisterLayer(int32_t k, const LayerChoices& choices) {
  LayerParams layer;
  layer.enable = ParamBool::Create(LayerName("Enable", k), k == 1);
  AddParam(layer.enable);
  layer.name = ParamText::Create(LayerName("Name", k), "Layer");
  AddParam(layer.name);
  layer.alpha = ParamBool::Create(LayerName("Alpha", k), false);
  AddParam(layer.alpha);
  layer.opacity = ParamRange::Create(LayerName("Opacity", k), 1.0f, 0.0f, 1.0f);
  AddParam(layer.opacity);
  layer.sliceOutput = ParamOption::CreateSharing(LayerName("Slice Output", k), choices.slices, 0);
  AddParam(layer.sliceOutput);
  layer.positionX = ParamRange::CreateInteger(LayerName("Position X", k), 0, -16384.0f, 16384.0f);
  AddParam(layer.positionX);
  layer.positionY = ParamRange::CreateInteger(LayerName("Position Y", k), 0, -16384.0f, 16384.0f);
  AddParam(layer.positionY);
  layer.width = ParamRange::CreateInteger(LayerName("Width", k), 1920, -16384.0f, 16384.0f);
  AddParam(layer.width);
  layer.height = ParamRange::CreateInteger(LayerName("Height", k), 1080, -16384.0f, 16384.0f);
  AddParam(layer.height);
  layer.rotateOut = ParamRange::Create(LayerName("Rotate Out", k), 0.0f, -360.0f, 360.0f);
  AddParam(layer.rotateOut);
  layer.sliceSample = ParamOption::CreateSharing(LayerName("Slice Sample", k), choices.slices, 0);
  AddParam(layer.sliceSample);
  layer.scaling = ParamOption::CreateSharing(LayerName("Scaling", k), choices.scalings, 0);
  AddParam(layer.scaling);
  layer.sampleX = ParamRange::Create(LayerName("Sample X", k), 0.0f, -1.0f, 1.0f);
  AddParam(layer.sampleX);
  layer.sampleY = ParamRange::Create(LayerName("Sample Y", k), 0.0f, -1.0f, 1.0f);
  AddParam(layer.sampleY);
  layer.ratio = ParamRange::Create(LayerName("Ratio", k), 0.0f, -1.0f, 1.0f);
  AddParam(layer.ratio);
  layer.rotateIn = ParamRange::Create(LayerName("Rotate In", k), 0.0f, -360.0f, 360.0f);
  AddParam(layer.rotateIn);
  layer.scaleIn = ParamRange::Create(LayerName("Scale In", k), 0.1f, 0.0f, 1.0f);
  AddParam(layer.scaleIn);
  layer.kaleidoscope = ParamRange::CreateInteger(LayerName("Kaleidoscope", k), 1, 1.0f, 64.0f);
  AddParam(layer.kaleidoscope);
  layer.symmetry = ParamOption::CreateSharing(LayerName("Symmetry", k), choices.symmetries, 0);
  AddParam(layer.symmetry);
  layers.push_back(std::move(layer));
}

std::vector<OptionElement> QmPlugin::BuildEditSliceOptions() const {
  std::vector<OptionElement> elements{OptionElement{"None", 0.0f}};
  for (int32_t k = 1; k <= layerCount; ++k) elements.push_back(OptionElement{"Slice " + std::to_string(k), float(k)});
  return elements;
}

std::vector<OptionElement> QmPlugin::BuildSliceOptions() {
  std::vector<OptionElement> elements{OptionElement{"None", 0.0f}};
  RefreshPreset(outputSetup);
  float position = 1.0f;
  for (const SliceRecord& record : outputSetup.slices) {
    std::string name = record.IsScreenEntry() ? "( " + record.screenName + " )" : record.sliceName;
    elements.push_back(OptionElement{std::move(name), position++});
  }
  return elements;
}
