// The quick-start effect base: a parameter list whose positions are registry indices, the host-facing
// parameter operations, and a default pipeline that draws a generated fragment shader over the viewport.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "glsupport/screen_quad.h"
#include "glsupport/shader_program.h"
#include "host/host_plugin.h"
#include "quickstart/audio_analyser.h"
#include "quickstart/param.h"

namespace quickstart {

class Plugin : public CHostPlugin {
 public:
  // No parameters, no GL objects; time starts now; the random engine is seeded from the platform.
  Plugin();
  // Deletes no GL objects: DeInitGL has released them.
  ~Plugin() override;

  // Generates and compiles the shader, creates the quad and runs Init; on failure runs DeInitGL and fails.
  // The viewport is host-owned and read during the call only.
  uint32_t InitGL(const ViewportRecord* viewport) override;
  // Frees the shader and the quad, then runs Clean; returns 0.
  uint32_t DeInitGL() override;
  // "%f" text of the value in the module display buffer; the failure pointer for an index past the list
  // or a text or file parameter.
  const char* GetParameterDisplay(uint32_t index) override;
  // Sets the parameter's value; failure for an index past the list.
  uint32_t SetFloatParameter(uint32_t index, float value) override;
  // Copies the host-owned text (null counts as "") into a text parameter; failure for any other index.
  uint32_t SetTextParameter(uint32_t index, const char* text) override;
  // The parameter's value; 0.0 for an index past the list.
  float GetFloatParameter(uint32_t index) override;
  // The text parameter's own text, valid until it is next set; "" for any other index (static storage).
  const char* GetTextParameter(uint32_t index) override;
  // Advances time, uploads built-in and parameter uniforms, runs Update and Render, resets triggers.
  // The record is host-owned, valid during the call, and handed to Render.
  uint32_t ProcessOpenGL(const FrameRecord* frame) override;
  // Stores the rate and gives it to every audio analyser.
  void SetSampleRate(uint32_t rate) override;

  // The parameter list: position is the registry index.
  const std::vector<std::shared_ptr<Param>>& Params() const { return params; }
  // The value of every parameter by registry index, kept up to date by each value the parameter objects store.
  const std::vector<float>& Values() const { return values; }
  // The analyser of an audio buffer parameter added by AddAudioParam, or null.
  AudioAnalyser* FindAnalyser(const std::shared_ptr<ParamBuffer>& param);
  const AudioAnalyser* FindAnalyser(const std::shared_ptr<ParamBuffer>& param) const;
  // The complete fragment shader that InitGL compiles, from the current parameters, snippets and code.
  std::string GenerateFragmentShader() const;

 protected:
  // Declares the parameter in the registry under the next index and appends it; returns that index.
  uint32_t AddParam(std::shared_ptr<Param> param);
  // As the plain form, then publishes the range as the registry entry's minimum and maximum.
  uint32_t AddParam(std::shared_ptr<ParamRange> param);
  // Declares an option entry: one registry element per option element, valued by position.
  uint32_t AddParam(std::shared_ptr<ParamOption> param);
  // Adds an audio buffer parameter with binCount registry elements and an analyser for it.
  std::shared_ptr<ParamBuffer> AddAudioParam(std::string name, uint32_t binCount);

  // The effect's own fragment-shader code, appended after the uniforms and snippets; set before InitGL.
  void SetFragmentCode(std::string code) { fragmentCode = std::move(code); }
  // The vertex shader; its inputs are location 0 position (vec3) and location 1 texture coordinate (vec2).
  void SetVertexSource(std::string source) { vertexSource = std::move(source); }
  // Includes a snippet of the library in the generated shader; false (and nothing changes) for an unknown key.
  bool IncludeSnippet(int32_t key);

  // Hook run at the end of InitGL; exactly 0xFFFFFFFF fails InitGL. Default: 0.
  virtual uint32_t Init();
  // Hook run every frame after the uniforms are uploaded. Default: nothing.
  virtual void Update();
  // Hook that draws the frame with the program current; its result goes to the host. Default: draws the quad.
  virtual uint32_t Render(const FrameRecord* frame);
  // Hook run at the end of DeInitGL. Default: nothing.
  virtual void Clean();

  // Seconds since construction as of the current frame, and since the previous frame.
  float Time() const { return time; }
  float DeltaTime() const { return deltaTime; }
  // Frames processed; the first frame is 1.
  int32_t FrameCount() const { return frame; }
  // Offered to effects; the base draws nothing from it.
  std::mt19937& RandomEngine() { return randomEngine; }
  const glsupport::ShaderProgram& Shader() const { return shader; }
  const glsupport::ScreenQuad& Quad() const { return quad; }

 private:
  uint32_t Register(const std::shared_ptr<Param>& param);
  void AdvanceTime();
  void UpdateAnalysers();
  void UploadBuiltInUniforms() const;

  std::string fragmentCode;
  std::vector<std::shared_ptr<Param>> params;
  std::vector<float> values;
  // The registry element list published for each option element list, so that options sharing their
  // elements share one registry list too.
  std::vector<std::pair<SharedOptionElements, ParamElementList>> publishedElements;
  std::map<std::shared_ptr<ParamBuffer>, AudioAnalyser> analysers;
  glsupport::ShaderProgram shader;
  glsupport::ScreenQuad quad;
  float time = 0.0f;
  float deltaTime = 0.0f;
  float lastTime = 0.0f;
  int32_t frame = 0;
  int64_t start;
  std::mt19937 randomEngine;
  std::set<int32_t> includedSnippets;
  std::string shaderHeader;
  std::string vertexSource;
};

}  // namespace quickstart
