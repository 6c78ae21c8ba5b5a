// What a changed value shows or hides in the host's parameter panel.
#include <string>

#include "effect/qm_plugin.h"

uint32_t QmPlugin::SetFloatParameter(uint32_t index, float value) {
  if (index >= Params().size()) return kStatusFailure;
  Params()[index]->SetValue(value);
  const ParamEntry* entry = FindParam(index);
  if (!entry) return kStatusSuccess;
  const std::string name = entry->NameText();
  if (name == "Edit Slice") {
    ShowEditedLayer();
  } else if (name == "Options") {
    SetOptionsVisible(value != 0.0f);
  } else if (name == "Scalings") {
    showScalings = value != 0.0f;
    SetEditedLayerParamVisible(kSlotScaling, showScalings, true);
  } else if (name == "Ratio") {
    showRatio = value != 0.0f;
    SetEditedLayerParamVisible(kSlotRatio, showRatio, true);
  } else if (name == "Kaleidoscope") {
    showKaleidoscope = value != 0.0f;
    SetEditedLayerParamVisible(kSlotKaleidoscope, showKaleidoscope, false);
  } else if (name.find("Slice Output") != std::string::npos) {
    SetPlacementVisible(index, value);
  }
  return kStatusSuccess;
}

int32_t QmPlugin::EditedLayer() const {
  float stored = editSlice->GetValue();  // an option holds a position from 0 to below its element count
  return stored >= 1.0f && stored < static_cast<float>(layerCount + 1) ? static_cast<int32_t>(stored) : 0;
}

void QmPlugin::ShowEditedLayer() {
  const int32_t last = static_cast<int32_t>(GetParamCount()) - 1;
  for (int32_t i = firstLayerParam; i <= last; ++i) Show(i, false);
  const int32_t e = EditedLayer();
  if (e < 1) return;
  const LayerParams& layer = layers[static_cast<size_t>(e - 1)];
  for (int32_t j = 0; j < kSlotsPerLayer; ++j) {
    if (j == kSlotScaling && !showScalings) continue;
    if (j == kSlotRatio && !showRatio) continue;
    if (j == kSlotKaleidoscope && !showKaleidoscope) continue;
    if (j >= kSlotPositionX && j <= kSlotRotateOut && layer.sliceOutput->GetValue() != 0.0f) continue;
    Show(LayerParamIndex(e, j), true);
  }
}

void QmPlugin::SetOptionsVisible(bool on) {
  for (int32_t i = 2; i <= 9; ++i) Show(i, on);
}

void QmPlugin::SetEditedLayerParamVisible(int32_t j, bool on, bool blockedByPosition) {
  const int32_t e = EditedLayer();
  if (e < 1) return;
  const bool blocked = blockedByPosition && layers[static_cast<size_t>(e - 1)].positionX->GetValue() != 0.0f;
  Show(LayerParamIndex(e, j), on && !blocked);
}

void QmPlugin::SetPlacementVisible(uint32_t index, float value) {
  const int32_t e = EditedLayer();
  if (e < 1 || static_cast<int64_t>(index) != LayerParamIndex(e, kSlotSliceOutput)) return;
  const bool placedOnSlice = value > 0.0f;
  for (int32_t i = static_cast<int32_t>(index) + 1; i <= static_cast<int32_t>(index) + 5; ++i) Show(i, !placedOnSlice);
}
