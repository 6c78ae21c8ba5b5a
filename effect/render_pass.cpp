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

void SetInputUniforms(const glsupport::ShaderProgram& program, const TextureRecord& input) {
  glUniform1i(program.FindUniform("inputTexture"), 0);
  glUniform2f(program.FindUniform("HardwareSize"), AllocatedSide(input.width, input.hardwareWidth),
              AllocatedSide(input.height, input.hardwareHeight));
  glUniform2f(program.FindUniform("MaxUV"), UsedFraction(input.width, input.hardwareWidth),
              UsedFraction(input.height, input.hardwareHeight));
}

void DrawQuad(const QuadGeometry& geometry) {
  if (geometry.vao == 0 || geometry.vbo == 0) return;
  ScopedVAOBinding vertexArray(geometry.vao);
  glDrawArrays(GL_TRIANGLES, 0, 6);
}

// The slice choice as a draw uses it: reset to "None" (the host not told) when past the current list.
float ValidSliceChoice(quickstart::ParamOption& choice, size_t sliceCount) {
  if (sliceCount == 0) return 0.0f;
  const float position = choice.GetValue();
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

  if (liveUpdate->GetValue() == 1.0f) {
    ++frameCounter;
    if (frameCounter % 60 == 0) {
      RefreshPreset(outputSetup);
      frameCounter = 1;
    }
  }

  // Unit 0 is selected before the input is bound, so the input lands where "inputTexture" reads it.
  ScopedActiveTextureUnit unit(0);
  Scoped2DTextureBinding texture(input.handle);
  {
    ScopedShaderBinding program(layerProgram.program());
    SetInputUniforms(layerProgram, input);
    for (int32_t k = 1; k <= layerCount; ++k) DrawLayer(layers[static_cast<size_t>(k - 1)]);
  }
  DrawOverlay(input);
  texture.EndScope();
  unit.EndScope();

  // The host gets its context back in default state.
  glDisable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ZERO);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  return kStatusSuccess;
}

void QmPlugin::DrawLayer(LayerParams& layer) {
  if (layer.enable->GetValue() != 1.0f) return;
  const auto& program = layerProgram;
  const float sampleX = layer.sampleX->GetValue();
  const float sampleY = layer.sampleY->GetValue();
  const float rotateIn = layer.rotateIn->GetValue();
  glUniform2f(program.FindUniform("shift"), sampleX, sampleY);
  glUniform1f(program.FindUniform("aliased"), 0.0f);
  glUniform1f(program.FindUniform("rot"), rotateIn);
  glUniform1f(program.FindUniform("op"), layer.opacity->GetValue());
  glUniform1f(program.FindUniform("uv_mode"), uv->GetValue());
  glUniform1f(program.FindUniform("kaleido"), layer.kaleidoscope->GetValue());
  glUniform1f(program.FindUniform("link"), 0.0f);
  glUniform1f(program.FindUniform("limitx"), limitX->GetValue());
  glUniform1f(program.FindUniform("limity"), limitY->GetValue());

  if (layer.alpha->GetValue() == 0.0f) {
    glDisable(GL_BLEND);
  } else {
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  }

  QuadInput quad;
  quad.frameWidth = static_cast<float>(viewport.width);
  quad.frameHeight = static_cast<float>(viewport.height);
  quad.positionX = layer.positionX->GetValue();
  quad.positionY = layer.positionY->GetValue();
  quad.width = layer.width->GetValue();
  quad.height = layer.height->GetValue();
  quad.sampleX = sampleX;
  quad.sampleY = sampleY;
  quad.scaleIn = layer.scaleIn->GetValue();
  quad.rotateOut = layer.rotateOut->GetValue();
  quad.ratio = layer.ratio->GetValue();
  quad.scaling = layer.scaling->GetValue();
  quad.anchor = globalPosition->GetValue();
  quad.symmetry = 0.0f;
  quad.outputIndex = ValidSliceChoice(*layer.sliceOutput, outputSetup.slices.size());
  quad.sampleIndex = ValidSliceChoice(*layer.sliceSample, outputSetup.slices.size());
  if (ComputeQuad(quad, outputSetup.slices, quadGeometry)) DrawQuad(quadGeometry);

  const float symmetry = layer.symmetry->GetValue();
  if (symmetry == 0.0f) return;
  quad.symmetry = symmetry;
  quad.positionX = -quad.positionX;
  if (symmetry != 2.0f) glUniform1f(program.FindUniform("rot"), -rotateIn);
  if (symmetry == 3.0f) glUniform2f(program.FindUniform("shift"), -sampleX, sampleY);
  quad.rotateOut = -layer.rotateOut->GetValue();
  if (ComputeQuad(quad, outputSetup.slices, quadGeometry)) DrawQuad(quadGeometry);
}

void QmPlugin::DrawOverlay(const TextureRecord& input) {
  ScopedShaderBinding program(overlayProgram.program());
  ScopedActiveTextureUnit unit(0);
  SetInputUniforms(overlayProgram, input);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  if (UploadQuad(quadGeometry, quadGeometry.overlayVertices)) DrawQuad(quadGeometry);
}
