// What a changed value shows or hides in the host's parameter panel.
#include "effect/qm_plugin.h"

uint32_t QmPlugin::SetFloatParameter(uint32_t index, float value) {
  if (index >= Params().size()) return kStatusFailure;
  Params()[index]->SetValue(value);
  if (!FindParam(index)) return kStatusSuccess;
  switch (index) {
    case kIndexEditSlice: ShowEditedLayer(); break;
    case kIndexOptions: SetOptionsVisible(value != 0.0f); break;
    case kIndexScalings: SetEditedLayerParamVisible(kSlotScaling, ShowsScalings(), true); break;
    case kIndexRatio: SetEditedLayerParamVisible(kSlotRatio, ShowsRatio(), true); break;
    case kIndexKaleidoscope: SetEditedLayerParamVisible(kSlotKaleidoscope, ShowsKaleidoscope(), false); break;
    default:
      if (IsLayerSlot(index, kSlotSliceOutput)) SetPlacementVisible(index, value);
  }
  return kStatusSuccess;
}

bool QmPlugin::IsLayerSlot(uint32_t index, int32_t j) const {
  const int64_t offset = static_cast<int64_t>(index) - firstLayerParam;
  return offset >= 0 && offset < static_cast<int64_t>(paramsPerLayer) * layerCount && offset % paramsPerLayer == j;
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
    if (j == kSlotScaling && !ShowsScalings()) continue;
    if (j == kSlotRatio && !ShowsRatio()) continue;
    if (j == kSlotKaleidoscope && !ShowsKaleidoscope()) continue;
    if (j >= kSlotPositionX && j <= kSlotRotateOut && layer.sliceOutput->GetValue() != 0.0f) continue;
    Show(LayerParamIndex(e, j), true);
  }
}

void QmPlugin::SetOptionsVisible(bool on) {
  for (uint32_t i = kIndexLimitX; i <= kIndexUV; ++i) Show(static_cast<int32_t>(i), on);
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
