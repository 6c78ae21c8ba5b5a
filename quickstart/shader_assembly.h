// Generating the fragment shader from the parameters, and uploading their values as uniforms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "glsupport/shader_program.h"
#include "quickstart/param.h"

namespace quickstart {

// First part of every generated fragment shader: version, output and built-in uniforms (185 characters).
extern const char kShaderHeader[];

// What one step of the walk over the parameter list declares and uploads.
enum class UniformKind {
  RgbGroup,   // types 2, 3, 4 in a row: one vec3 named after the first
  HsbaGroup,  // types 200 to 203 in a row: one vec4 named after the first, converted to RGB plus alpha
  Boolean,    // type 0 or 1: bool, uploaded as 1 for any non-zero value
  Float,      // any other single parameter: float
  None,       // type 12 (buffer): no uniform
};

// One step of the walk: its kind and the list position of its (first) parameter.
struct UniformItem {
  UniformKind kind;
  size_t position;
};

// Walks the list, taking colour groups where they start and single parameters elsewhere.
std::vector<UniformItem> WalkUniforms(const std::vector<std::shared_ptr<Param>>& params);

// Header, one uniform declaration per item, the included snippets by ascending key, then the effect code.
// A key that the snippet library lacks adds nothing.
std::string GenerateFragmentShader(const std::string& header, const std::vector<std::shared_ptr<Param>>& params,
                                   const std::set<int32_t>& snippets, const std::string& effectCode);

// Sets every parameter uniform of the current program from the current values, looked up by name.
void UploadParameterUniforms(const glsupport::ShaderProgram& program,
                             const std::vector<std::shared_ptr<Param>>& params);

}  // namespace quickstart
