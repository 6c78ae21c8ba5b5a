#include "quickstart/plugin.h"

#include <algorithm>
#include <utility>

#include "glsupport/gl.h"
#include "glsupport/scoped_bindings.h"
#include "quickstart/monotonic_clock.h"
#include "quickstart/random_source.h"
#include "quickstart/shader_assembly.h"
#include "quickstart/snippet_library.h"

namespace quickstart {

namespace {
const char kEmptyText[] = "";
}

Plugin::Plugin()
    : start(MonotonicNanoseconds()), randomEngine(NondeterministicSeed()), shaderHeader(kShaderHeader) {}

Plugin::~Plugin() {
  // A handle kept elsewhere must not write into the values of an instance that is gone.
  for (const auto& param : params) param->ViewInto(nullptr, 0);
}

uint32_t Plugin::Register(const std::shared_ptr<Param>& param) {
  const auto index = static_cast<uint32_t>(params.size());
  params.push_back(param);
  values.push_back(0.0f);
  param->ViewInto(&values, index);
  return index;
}

uint32_t Plugin::AddParam(std::shared_ptr<Param> param) {
  SetParamInfo(static_cast<uint32_t>(params.size()), param->GetName(), param->GetType(), param->GetValue());
  return Register(param);
}

uint32_t Plugin::AddParam(std::shared_ptr<ParamRange> param) {
  const auto index = static_cast<uint32_t>(params.size());
  SetParamInfo(index, param->GetName(), param->GetType(), param->GetValue());
  SetParamRange(index, param->GetMin(), param->GetMax());
  return Register(param);
}

uint32_t Plugin::AddParam(std::shared_ptr<ParamOption> param) {
  const SharedOptionElements& elements = param->SharedElements();
  auto published = std::find_if(publishedElements.begin(), publishedElements.end(),
                                [&elements](const auto& entry) { return entry.first == elements; });
  if (published == publishedElements.end()) {
    std::vector<std::string> choices;
    choices.reserve(elements->size());
    for (const OptionElement& element : *elements) choices.push_back(element.name);
    publishedElements.emplace_back(elements, ParamElementList::Named(choices));
    published = publishedElements.end() - 1;
  }
  SetOptionParamInfo(static_cast<uint32_t>(params.size()), param->GetName(), published->second, param->GetValue());
  return Register(param);
}

std::shared_ptr<ParamBuffer> Plugin::AddAudioParam(std::string name, uint32_t binCount) {
  const auto index = static_cast<uint32_t>(params.size());
  auto param = ParamBuffer::Create(std::move(name), index, binCount);
  SetParamInfo(index, param->GetName(), kTypeBuffer, param->GetValue());
  FindParam(index)->elements.assign(binCount, ParamElement{});
  Register(param);
  analysers.emplace(param, AudioAnalyser(binCount));
  return param;
}

bool Plugin::IncludeSnippet(int32_t key) {
  if (SnippetLibrary().count(key) == 0) return false;
  includedSnippets.insert(key);
  return true;
}

AudioAnalyser* Plugin::FindAnalyser(const std::shared_ptr<ParamBuffer>& param) {
  auto found = analysers.find(param);
  return found == analysers.end() ? nullptr : &found->second;
}

const AudioAnalyser* Plugin::FindAnalyser(const std::shared_ptr<ParamBuffer>& param) const {
  auto found = analysers.find(param);
  return found == analysers.end() ? nullptr : &found->second;
}

std::string Plugin::GenerateFragmentShader() const {
  return quickstart::GenerateFragmentShader(shaderHeader, params, includedSnippets, fragmentCode);
}

uint32_t Plugin::InitGL(const ViewportRecord* newViewport) {
  if (shader.Compile(vertexSource, GenerateFragmentShader()) && quad.Initialise() && Init() != kStatusFailure) {
    if (newViewport) viewport = *newViewport;
    return kStatusSuccess;
  }
  DeInitGL();
  return kStatusFailure;
}

uint32_t Plugin::DeInitGL() {
  shader.FreeGLResources();
  quad.Release();
  Clean();
  return kStatusSuccess;
}

const char* Plugin::GetParameterDisplay(uint32_t index) {
  if (index >= params.size()) return reinterpret_cast<const char*>(kPointerFailure);
  const uint32_t type = params[index]->GetType();
  if (IsTextValuedType(type)) return reinterpret_cast<const char*>(kPointerFailure);
  return FormatModuleDisplay(params[index]->GetValue());
}

uint32_t Plugin::SetFloatParameter(uint32_t index, float value) {
  if (index >= params.size()) return kStatusFailure;
  params[index]->SetValue(value);
  return kStatusSuccess;
}

uint32_t Plugin::SetTextParameter(uint32_t index, const char* text) {
  if (index >= params.size()) return kStatusFailure;
  auto* textParam = dynamic_cast<ParamText*>(params[index].get());
  if (!textParam) return kStatusFailure;
  textParam->SetText(text);
  return kStatusSuccess;
}

float Plugin::GetFloatParameter(uint32_t index) {
  if (index >= params.size()) return 0.0f;
  return params[index]->GetValue();
}

const char* Plugin::GetTextParameter(uint32_t index) {
  if (index >= params.size()) return kEmptyText;
  const auto* textParam = dynamic_cast<const ParamText*>(params[index].get());
  return textParam ? textParam->GetText().c_str() : kEmptyText;
}

void Plugin::SetSampleRate(uint32_t rate) {
  CHostPlugin::SetSampleRate(rate);
  for (auto& entry : analysers) entry.second.SetSampleRate(rate);
}

void Plugin::AdvanceTime() {
  frame += 1;
  const int64_t now = MonotonicNanoseconds();
  time = static_cast<float>(now - start) / 1000000.0f / 1000.0f;
  deltaTime = time - lastTime;
  lastTime = time;
}

void Plugin::UpdateAnalysers() {
  for (auto& entry : analysers) {
    ParamBuffer& param = *entry.first;
    const ParamEntry* registryEntry = FindParam(param.GetRegistryIndex());
    std::vector<float>& bins = param.Bins();
    if (registryEntry) {
      for (size_t i = 0; i < bins.size() && i < registryEntry->elements.size(); ++i) {
        bins[i] = registryEntry->elements[i].value;
      }
    }
    entry.second.Analyse(bins);
  }
}

void Plugin::UploadBuiltInUniforms() const {
  glUniform1f(shader.FindUniform("time"), time);
  glUniform1f(shader.FindUniform("deltaTime"), deltaTime);
  glUniform1i(shader.FindUniform("frame"), frame);
  glUniform2f(shader.FindUniform("resolution"), static_cast<float>(viewport.width),
              static_cast<float>(viewport.height));
  glUniform1f(shader.FindUniform("bpm"), bpm);
  glUniform1f(shader.FindUniform("phase"), barPhase);
}

uint32_t Plugin::ProcessOpenGL(const FrameRecord* frameRecord) {
  AdvanceTime();
  UpdateAnalysers();
  glsupport::ScopedShaderBinding programScope(shader.program());
  UploadBuiltInUniforms();
  UploadParameterUniforms(shader, params);
  Update();
  const uint32_t result = Render(frameRecord);
  for (const auto& param : params) {
    if (dynamic_cast<ParamTrigger*>(param.get())) param->SetValue(0.0f);
  }
  return result;
}

uint32_t Plugin::Init() { return kStatusSuccess; }

void Plugin::Update() {}

uint32_t Plugin::Render(const FrameRecord*) {
  glsupport::ScopedShaderBinding programScope(shader.program());
  quad.Draw();
  return kStatusSuccess;
}

void Plugin::Clean() {}

}  // namespace quickstart
