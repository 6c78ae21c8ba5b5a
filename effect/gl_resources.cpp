// The effect's two programs and its quad buffer: built at InitGL, released at DeInitGL.
#include "effect/qm_plugin.h"
#include "effect/quad_upload.h"
#include "effect/shader_sources.h"

uint32_t QmPlugin::InitGL(const ViewportRecord* newViewport) {
  const EffectSources sources = ProgramSources();
  bool built = newViewport != nullptr && layerProgram.Compile(sources.layerVertex, sources.layerFragment) &&
               overlayProgram.Compile(sources.overlayVertex, sources.overlayFragment) &&
               CreateQuadBuffers(quadGeometry);
  if (!built) {
    DeInitGL();
    return kStatusFailure;
  }
  layerUniforms = FindLayerUniforms(layerProgram);
  overlayUniforms = FindInputUniforms(overlayProgram);
  viewport = *newViewport;
  return kStatusSuccess;
}

uint32_t QmPlugin::DeInitGL() {
  layerProgram.FreeGLResources();
  overlayProgram.FreeGLResources();
  ReleaseQuadBuffers(quadGeometry);
  layerUniforms = LayerUniforms{};
  overlayUniforms = InputUniforms{};
  return kStatusSuccess;
}
