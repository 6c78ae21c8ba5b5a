// One layer's parameter handles and the positions of its parameters within the layer.
#pragma once

#include <memory>

#include "quickstart/param.h"

// Position j of each parameter within its layer, in registration order.
enum LayerSlot : int32_t {
  kSlotEnable = 0,
  kSlotName = 1,
  kSlotAlpha = 2,
  kSlotOpacity = 3,
  kSlotSliceOutput = 4,
  kSlotPositionX = 5,
  kSlotPositionY = 6,
  kSlotWidth = 7,
  kSlotHeight = 8,
  kSlotRotateOut = 9,
  kSlotSliceSample = 10,
  kSlotScaling = 11,
  kSlotSampleX = 12,
  kSlotSampleY = 13,
  kSlotRatio = 14,
  kSlotRotateIn = 15,
  kSlotScaleIn = 16,
  kSlotKaleidoscope = 17,
  kSlotSymmetry = 18,
  kSlotsPerLayer = 19,
};

// The effect's parameters: the global ones, then the layers of kSlotsPerLayer each (467 in all). A host reads
// the count through plugMain; the tests, benches and tools that need it beforehand take it from here.
constexpr int32_t kGlobalParamCount = 11;
constexpr int32_t kLayerCount = 24;
constexpr uint32_t kParameterCount = kGlobalParamCount + kLayerCount * kSlotsPerLayer;

// Shared handles to the nineteen parameter objects of one layer (shared with the parameter list).
struct LayerParams {
  std::shared_ptr<quickstart::ParamText> name;
  std::shared_ptr<quickstart::ParamRange> opacity;
  std::shared_ptr<quickstart::ParamRange> positionX;
  std::shared_ptr<quickstart::ParamRange> positionY;
  std::shared_ptr<quickstart::ParamRange> width;
  std::shared_ptr<quickstart::ParamRange> height;
  std::shared_ptr<quickstart::ParamRange> sampleX;
  std::shared_ptr<quickstart::ParamRange> sampleY;
  std::shared_ptr<quickstart::ParamRange> scaleIn;
  std::shared_ptr<quickstart::ParamRange> ratio;
  std::shared_ptr<quickstart::ParamRange> rotateIn;
  std::shared_ptr<quickstart::ParamRange> rotateOut;
  std::shared_ptr<quickstart::ParamRange> kaleidoscope;
  std::shared_ptr<quickstart::ParamOption> scaling;
  std::shared_ptr<quickstart::ParamOption> symmetry;
  std::shared_ptr<quickstart::ParamOption> sliceOutput;
  std::shared_ptr<quickstart::ParamOption> sliceSample;
  std::shared_ptr<quickstart::ParamBool> enable;
  std::shared_ptr<quickstart::ParamBool> alpha;
};
