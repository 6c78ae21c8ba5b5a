// One GL program built from a vertex and a fragment shader source.
#pragma once

#include <cstdint>
#include <string>

namespace glsupport {

// Owns its shader and program objects, but only FreeGLResources deletes them (with the context current).
class ShaderProgram {
 public:
  ShaderProgram() = default;
  ShaderProgram(const ShaderProgram&) = delete;
  ShaderProgram& operator=(const ShaderProgram&) = delete;

  // Compiles both stages and links them; on failure reports the log once, frees everything, returns false.
  bool Compile(const std::string& vertexSource, const std::string& fragmentSource);
  // Deletes the vertex shader, fragment shader and program that exist and zeroes their names.
  void FreeGLResources();
  // Location of an active uniform of the linked program, -1 when it has none of that name.
  int32_t FindUniform(const char* name) const;

  uint32_t vertexShader() const { return vertexShaderName; }
  uint32_t fragmentShader() const { return fragmentShaderName; }
  uint32_t program() const { return programName; }

 private:
  bool CompileStage(uint32_t stage, const std::string& source, const char* errorPrefix, uint32_t& name);
  bool Link();

  uint32_t vertexShaderName = 0;
  uint32_t fragmentShaderName = 0;
  uint32_t programName = 0;
};

}  // namespace glsupport
