#include "host/host_plugin.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
char moduleDisplayBuffer[17];
}

const char* FormatModuleDisplay(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
  std::memset(moduleDisplayBuffer, 0, sizeof moduleDisplayBuffer);
  std::memcpy(moduleDisplayBuffer, text, std::min<size_t>(std::strlen(text), sizeof moduleDisplayBuffer - 1));
  return moduleDisplayBuffer;
}

CHostPlugin::~CHostPlugin() = default;

uint32_t CHostPlugin::InitGL(const ViewportRecord* newViewport) {
  if (newViewport) viewport = *newViewport;
  return kStatusSuccess;
}

uint32_t CHostPlugin::DeInitGL() { return kStatusSuccess; }

const char* CHostPlugin::GetParameterDisplay(uint32_t index) {
  CHostPlugin* values = owner ? owner : this;
  const ParamEntry* entry = values->FindParam(index);
  if (!entry || entry->type == kTypeNone) return nullptr;
  if (IsTextValuedType(entry->type)) return values->GetTextParameter(index);
  return FormatModuleDisplay(values->GetFloatParameter(index));
}

uint32_t CHostPlugin::SetFloatParameter(uint32_t, float) { return kStatusFailure; }
uint32_t CHostPlugin::SetTextParameter(uint32_t, const char*) { return kStatusFailure; }
float CHostPlugin::GetFloatParameter(uint32_t) { return 0.0f; }
const char* CHostPlugin::GetTextParameter(uint32_t) { return reinterpret_cast<const char*>(kPointerFailure); }
uint32_t CHostPlugin::ProcessOpenGL(const FrameRecord*) { return kStatusFailure; }

uint32_t CHostPlugin::SetTime(double time) {
  hostTime = time;
  return kStatusSuccess;
}

void CHostPlugin::SetBeatInfo(float newBpm, float newBarPhase) {
  bpm = newBpm;
  barPhase = newBarPhase;
}

void CHostPlugin::SetHostInfo(const char* name, const char* version) {
  hostName = name ? name : "";
  hostVersion = version ? version : "";
}

void CHostPlugin::SetSampleRate(uint32_t rate) { sampleRate = rate; }

uint32_t CHostPlugin::GetInputStatus(uint32_t inputIndex) {
  return maxInputs > 0 && inputIndex < static_cast<uint32_t>(maxInputs) ? 1u : kStatusFailure;
}

const char* CHostPlugin::GetShortName() { return nullptr; }
uint32_t CHostPlugin::Connect() { return kStatusSuccess; }
uint32_t CHostPlugin::Disconnect() { return kStatusSuccess; }

uint32_t CHostPlugin::Resize(const ViewportRecord* newViewport) {
  if (newViewport) viewport = *newViewport;
  return kStatusSuccess;
}
