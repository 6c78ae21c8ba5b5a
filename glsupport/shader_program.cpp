#include "glsupport/shader_program.h"

#include <vector>

#include "glsupport/debug_output.h"
#include "glsupport/gl.h"

namespace glsupport {

namespace {
constexpr const char* kVertexErrorPrefix = "Vertex Shader error: ";
constexpr const char* kFragmentErrorPrefix = "Fragment Shader error: ";
constexpr GLsizei kLinkLogCapacity = 1024;
}  // namespace

bool ShaderProgram::Compile(const std::string& vertexSource, const std::string& fragmentSource) {
  if (vertexSource.empty() || fragmentSource.empty()) return false;
  if (!CompileStage(GL_VERTEX_SHADER, vertexSource, kVertexErrorPrefix, vertexShaderName) ||
      !CompileStage(GL_FRAGMENT_SHADER, fragmentSource, kFragmentErrorPrefix, fragmentShaderName) || !Link()) {
    FreeGLResources();
    return false;
  }
  return true;
}

bool ShaderProgram::CompileStage(uint32_t stage, const std::string& source, const char* errorPrefix,
                                 uint32_t& name) {
  name = glCreateShader(stage);
  const GLchar* text = source.c_str();
  glShaderSource(name, 1, &text, nullptr);
  glCompileShader(name);
  GLint status = 0;
  glGetShaderiv(name, GL_COMPILE_STATUS, &status);
  if (status == GL_TRUE) return true;
  GLint logLength = 0;
  glGetShaderiv(name, GL_INFO_LOG_LENGTH, &logLength);
  if (logLength < 0) logLength = 0;
  std::vector<GLchar> log(static_cast<size_t>(logLength) + 1, '\0');
  glGetShaderInfoLog(name, logLength + 1, nullptr, log.data());
  ReportMessage(std::string(errorPrefix) + log.data());
  return false;
}

bool ShaderProgram::Link() {
  programName = glCreateProgram();
  glAttachShader(programName, vertexShaderName);
  if (fragmentShaderName != 0) glAttachShader(programName, fragmentShaderName);
  glLinkProgram(programName);
  GLint status = 0;
  glGetProgramiv(programName, GL_LINK_STATUS, &status);
  if (status == GL_TRUE) return true;
  GLchar log[kLinkLogCapacity] = {};
  GLsizei length = 0;
  glGetProgramInfoLog(programName, kLinkLogCapacity, &length, log);
  if (length < 0) length = 0;
  log[length < kLinkLogCapacity ? length : kLinkLogCapacity - 1] = '\0';
  ReportMessage(std::string(kFragmentErrorPrefix) + log);
  return false;
}

void ShaderProgram::FreeGLResources() {
  if (vertexShaderName != 0) glDeleteShader(vertexShaderName);
  vertexShaderName = 0;
  if (fragmentShaderName != 0) glDeleteShader(fragmentShaderName);
  fragmentShaderName = 0;
  if (programName != 0) glDeleteProgram(programName);
  programName = 0;
}

int32_t ShaderProgram::FindUniform(const char* name) const {
  if (programName == 0) return -1;
  return glGetUniformLocation(programName, name);
}

}  // namespace glsupport
