#include "effect/program_uniforms.h"

InputUniforms FindInputUniforms(const glsupport::ShaderProgram& program) {
  InputUniforms found;
  found.inputTexture = program.FindUniform("inputTexture");
  found.hardwareSize = program.FindUniform("HardwareSize");
  found.maxUV = program.FindUniform("MaxUV");
  return found;
}

LayerUniforms FindLayerUniforms(const glsupport::ShaderProgram& program) {
  LayerUniforms found;
  found.input = FindInputUniforms(program);
  found.shift = program.FindUniform("shift");
  found.aliased = program.FindUniform("aliased");
  found.rot = program.FindUniform("rot");
  found.op = program.FindUniform("op");
  found.uvMode = program.FindUniform("uv_mode");
  found.kaleido = program.FindUniform("kaleido");
  found.link = program.FindUniform("link");
  found.limitX = program.FindUniform("limitx");
  found.limitY = program.FindUniform("limity");
  return found;
}
