#include "quickstart/shader_assembly.h"

#include <initializer_list>

#include "glsupport/gl.h"
#include "quickstart/colour_conversion.h"
#include "quickstart/snippet_library.h"

namespace quickstart {

const char kShaderHeader[] =
    "\n\t\t#version 410 core\n\t\tout vec4 fragColor;\n\t\tuniform vec2 resolution;\n\t\tuniform float time;"
    "\n\t\tuniform float deltaTime;\n\t\tuniform int frame;\n\t\tuniform float bpm;\n\t\tuniform float phase;\n\t";

namespace {

bool TypesAt(const std::vector<std::shared_ptr<Param>>& params, size_t first, std::initializer_list<uint32_t> types) {
  if (first + types.size() > params.size()) return false;
  size_t i = first;
  for (uint32_t type : types) {
    if (params[i++]->GetType() != type) return false;
  }
  return true;
}

UniformKind SingleKind(uint32_t type) {
  if (type == kTypeBoolean || type == kTypeEvent) return UniformKind::Boolean;
  if (type == kTypeBuffer) return UniformKind::None;
  return UniformKind::Float;
}

}  // namespace

std::vector<UniformItem> WalkUniforms(const std::vector<std::shared_ptr<Param>>& params) {
  std::vector<UniformItem> items;
  size_t i = 0;
  while (i < params.size()) {
    if (TypesAt(params, i, {kTypeRed, kTypeGreen, kTypeBlue})) {
      items.push_back({UniformKind::RgbGroup, i});
      i += 3;
    } else if (TypesAt(params, i, {kTypeHue, kTypeSaturation, kTypeBrightness, kTypeAlpha})) {
      items.push_back({UniformKind::HsbaGroup, i});
      i += 4;
    } else {
      items.push_back({SingleKind(params[i]->GetType()), i});
      i += 1;
    }
  }
  return items;
}

std::string GenerateFragmentShader(const std::string& header, const std::vector<std::shared_ptr<Param>>& params,
                                   const std::set<int32_t>& snippets, const std::string& effectCode) {
  std::string text = header;
  for (const UniformItem& item : WalkUniforms(params)) {
    const std::string& name = params[item.position]->GetName();
    switch (item.kind) {
      case UniformKind::RgbGroup: text += "uniform vec3 " + name + ";\n"; break;
      case UniformKind::HsbaGroup: text += "uniform vec4 " + name + ";\n"; break;
      case UniformKind::Boolean: text += "uniform bool " + name + ";\n"; break;
      case UniformKind::Float: text += "uniform float " + name + ";\n"; break;
      case UniformKind::None: break;
    }
  }
  const auto& library = SnippetLibrary();
  for (int32_t key : snippets) {
    auto snippet = library.find(key);
    if (snippet != library.end()) text += snippet->second;
  }
  text += effectCode;
  return text;
}

void UploadParameterUniforms(const glsupport::ShaderProgram& program,
                             const std::vector<std::shared_ptr<Param>>& params) {
  for (const UniformItem& item : WalkUniforms(params)) {
    const size_t i = item.position;
    switch (item.kind) {
      case UniformKind::RgbGroup:
        glUniform3f(program.FindUniform(params[i]->GetName().c_str()), params[i]->GetValue(),
                    params[i + 1]->GetValue(), params[i + 2]->GetValue());
        break;
      case UniformKind::HsbaGroup: {
        const auto rgb = HsbToRgb(params[i]->GetValue(), params[i + 1]->GetValue(), params[i + 2]->GetValue());
        glUniform4f(program.FindUniform(params[i]->GetName().c_str()), rgb[0], rgb[1], rgb[2],
                    params[i + 3]->GetValue());
        break;
      }
      case UniformKind::Boolean:
        glUniform1i(program.FindUniform(params[i]->GetName().c_str()), params[i]->GetValue() != 0.0f ? 1 : 0);
        break;
      case UniformKind::Float:
        glUniform1f(program.FindUniform(params[i]->GetName().c_str()), params[i]->GetValue());
        break;
      case UniformKind::None: break;
    }
  }
}

}  // namespace quickstart
