// The one way the tests reach the state an effect keeps to itself: its members, by reference.
#pragma once

#include "effect/qm_plugin.h"

struct QmPluginInside {
  explicit QmPluginInside(QmPlugin& effect)
      : layerProgram(effect.layerProgram), overlayProgram(effect.overlayProgram), quadGeometry(effect.quadGeometry),
        layerUniforms(effect.layerUniforms), overlayUniforms(effect.overlayUniforms), layerQuads(effect.layerQuads),
        liveUpdate(effect.liveUpdate), layers(effect.layers), outputSetup(effect.outputSetup),
        frameCounter(effect.frameCounter) {}

  glsupport::ShaderProgram& layerProgram;
  glsupport::ShaderProgram& overlayProgram;
  QuadGeometry& quadGeometry;
  LayerUniforms& layerUniforms;
  InputUniforms& overlayUniforms;
  std::vector<LayerQuads>& layerQuads;
  std::shared_ptr<quickstart::ParamBool>& liveUpdate;
  std::vector<LayerParams>& layers;
  OutputSetup& outputSetup;
  int32_t& frameCounter;
};

namespace testsupport {

// The effect's state, for a look or a change that no host call makes.
inline QmPluginInside Inside(QmPlugin& effect) { return QmPluginInside(effect); }
inline QmPluginInside Inside(QmPlugin* effect) { return QmPluginInside(*effect); }

}  // namespace testsupport
