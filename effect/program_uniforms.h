// Locations of the uniforms the render pass sets, looked up once after each program is linked.
#pragma once

#include <cstdint>

#include "glsupport/shader_program.h"

// The uniforms both programs read: the input's texture unit, its allocated size and its used fraction.
struct InputUniforms {
  int32_t inputTexture = -1;
  int32_t hardwareSize = -1;
  int32_t maxUV = -1;
};

// The uniforms of the layer program: those of the input, then the layer's own.
struct LayerUniforms {
  InputUniforms input;
  int32_t shift = -1;
  int32_t aliased = -1;
  int32_t rot = -1;
  int32_t op = -1;
  int32_t uvMode = -1;
  int32_t kaleido = -1;
  int32_t link = -1;
  int32_t limitX = -1;
  int32_t limitY = -1;
};

// The input uniforms of a linked program; -1 for each that it has no active uniform of.
InputUniforms FindInputUniforms(const glsupport::ShaderProgram& program);

// Every uniform of the linked layer program; -1 for each that it has no active uniform of.
LayerUniforms FindLayerUniforms(const glsupport::ShaderProgram& program);
