// One frame: every enabled layer over the host's framebuffer, then the overlay quad.
#include <cmath>

#include "effect/qm_plugin.h"
#include "effect/quad_upload.h"
#include "glsupport/gl.h"
#include "glsupport/scoped_bindings.h"
#include "presets/preset_discovery.h"

using glsupport::Scoped2DTextureBinding;
using glsupport::ScopedActiveTextureUnit;
using glsupport::ScopedShaderBinding;
using glsupport::ScopedVAOBinding;

namespace {

// The allocated texels of a texture side; a side the host reports as 0 is taken to hold just the picture.
float AllocatedSide(uint32_t size, uint32_t hardwareSize) {
  return static_cast<float>(hardwareSize == 0 ? size : hardwareSize);
}

// The used fraction of a texture side; a side the host reports as 0 counts as fully used.
float UsedFraction(uint32_t size, uint32_t hardwareSize) {
  return hardwareSize == 0 ? 1.0f : static_cast<float>(size) / static_cast<float>(hardwareSize);
}

void SetInputUniforms(const InputUniforms& uniforms, const TextureRecord& input) {
  glUniform1i(uniforms.inputTexture, 0);
  glUniform2f(uniforms.hardwareSize, AllocatedSide(input.width, input.hardwareWidth),
              AllocatedSide(input.height, input.hardwareHeight));
  glUniform2f(uniforms.maxUV, UsedFraction(input.width, input.hardwareWidth),
              UsedFraction(input.height, input.hardwareHeight));
}

bool CanDraw(const QuadGeometry& geometry) { return geometry.vao != 0 && geometry.vbo != 0; }

// The slice choice as a draw uses it: reset to "None" (the host not told) when past the current list.
float ValidSliceChoice(float position, quickstart::ParamOption& choice, size_t sliceCount) {
  if (sliceCount == 0) return 0.0f;
  if (std::trunc(position) > static_cast<float>(sliceCount)) {
    choice.SetValue(0.0f);
    return 0.0f;
  }
  return position;
}

}  // namespace

uint32_t QmPlugin::ProcessOpenGL(const FrameRecord* frame) {
  if (!frame || frame->inputCount < 1 || !frame->inputTextures || !frame->inputTextures[0]) return kStatusFailure;
  const TextureRecord& input = *frame->inputTextures[0];

  if (Values()[kIndexLiveUpdate] == 1.0f) {
    ++frameCounter;
    if (frameCounter % 60 == 0) {
      RefreshPreset(outputSetup);
      frameCounter = 1;
    }
  }

  // Unit 0 is selected before the input is bound, so the input lands where "inputTexture" reads it.
  ScopedActiveTextureUnit unit(0);
  Scoped2DTextureBinding texture(input.handle);
  // One vertex array and one buffer binding serve every draw of the frame.
  ScopedVAOBinding vertexArray(quadGeometry.vao);
  if (quadGeometry.vbo != 0) glBindBuffer(GL_ARRAY_BUFFER, quadGeometry.vbo);
  {
    ScopedShaderBinding program(layerProgram.program());
    SetInputUniforms(layerUniforms.input, input);
    SetFrameUniforms();
    for (int32_t k = 1; k <= layerCount; ++k) DrawLayer(k);
  }
  DrawOverlay(input);
  vertexArray.EndScope();
  texture.EndScope();
  unit.EndScope();

  // The host gets its context back in default state.
  glDisable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ZERO);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return kStatusSuccess;
}

// The layer program's uniforms that are the same for every layer of a frame.
void QmPlugin::SetFrameUniforms() {
  const LayerUniforms& u = layerUniforms;
  glUniform1f(u.aliased, 0.0f);
  glUniform1f(u.uvMode, Values()[kIndexUV]);
  glUniform1f(u.link, 0.0f);
  glUniform1f(u.limitX, Values()[kIndexLimitX]);
  glUniform1f(u.limitY, Values()[kIndexLimitY]);
}

void QmPlugin::DrawLayer(int32_t k) {
  const float* values = &Values()[static_cast<size_t>(LayerParamIndex(k, 0))];
  if (values[kSlotEnable] != 1.0f) return;
  const LayerUniforms& u = layerUniforms;
  const float sampleX = values[kSlotSampleX];
  const float sampleY = values[kSlotSampleY];
  const float rotateIn = values[kSlotRotateIn];
  glUniform2f(u.shift, sampleX, sampleY);
  glUniform1f(u.rot, rotateIn);
  glUniform1f(u.op, values[kSlotOpacity]);
  glUniform1f(u.kaleido, values[kSlotKaleidoscope]);

  if (values[kSlotAlpha] == 0.0f) {
    glDisable(GL_BLEND);
  } else {
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  }

  LayerParams& layer = layers[static_cast<size_t>(k - 1)];
  const size_t sliceCount = outputSetup.slices.size();
  QuadInput quad;
  quad.frameWidth = static_cast<float>(viewport.width);
  quad.frameHeight = static_cast<float>(viewport.height);
  quad.positionX = values[kSlotPositionX];
  quad.positionY = values[kSlotPositionY];
  quad.width = values[kSlotWidth];
  quad.height = values[kSlotHeight];
  quad.sampleX = sampleX;
  quad.sampleY = sampleY;
  quad.scaleIn = values[kSlotScaleIn];
  quad.rotateOut = values[kSlotRotateOut];
  quad.ratio = values[kSlotRatio];
  quad.scaling = values[kSlotScaling];
  quad.anchor = Values()[kIndexGlobalPosition];
  quad.symmetry = 0.0f;
  quad.outputIndex = ValidSliceChoice(values[kSlotSliceOutput], *layer.sliceOutput, sliceCount);
  quad.sampleIndex = ValidSliceChoice(values[kSlotSliceSample], *layer.sliceSample, sliceCount);
  LayerQuads& quads = layerQuads[static_cast<size_t>(k - 1)];
  DrawLayerQuad(quads.first.Get(quad, outputSetup.slices));

  const float symmetry = values[kSlotSymmetry];
  if (symmetry == 0.0f) return;
  quad.symmetry = symmetry;
  quad.positionX = -quad.positionX;
  if (symmetry != 2.0f) glUniform1f(u.rot, -rotateIn);
  if (symmetry == 3.0f) glUniform2f(u.shift, -sampleX, sampleY);
  quad.rotateOut = -values[kSlotRotateOut];
  DrawLayerQuad(quads.mirrored.Get(quad, outputSetup.slices));
}

// Uploads a sound quad into the bound buffer and draws it; a non-finite or out-of-range one is skipped.
void QmPlugin::DrawLayerQuad(const QuadResult& quad) {
  if (CanDraw(quadGeometry) && KeepAndUpload(quad, quadGeometry)) glDrawArrays(GL_TRIANGLES, 0, kQuadVertexCount);
}

void QmPlugin::DrawOverlay(const TextureRecord& input) {
  ScopedShaderBinding program(overlayProgram.program());
  ScopedActiveTextureUnit unit(0);
  SetInputUniforms(overlayUniforms, input);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  if (CanDraw(quadGeometry) && UploadToBoundBuffer(quadGeometry.overlayVertices))
    glDrawArrays(GL_TRIANGLES, 0, kQuadVertexCount);
}
