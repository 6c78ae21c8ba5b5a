#include "tools/caller/plugin_calls.h"

#include <cstring>

namespace caller {

uint64_t PluginCalls::Call(uint32_t code, uint64_t input, void* instance) const { return entry(code, input, instance); }

const PluginInfoLayout* PluginCalls::GetInfo() const { return PointerAt<const PluginInfoLayout>(Call(kGetInfo)); }
const void* PluginCalls::GetExtendedInfo() const { return PointerAt<const void>(Call(kGetExtendedInfo)); }

const char* PluginCalls::GetParameterNameField(uint32_t index) const {
  return PointerAt<const char>(Call(kGetParameterName, index));
}

std::string PluginCalls::GetParameterName(uint32_t index) const {
  const char* field = GetParameterNameField(index);
  if (!field) return {};
  return std::string(field, strnlen(field, 16));
}

float PluginCalls::GetParameterDefaultFloat(uint32_t index) const { return FloatFromBits(GetParameterDefaultRaw(index)); }
const char* PluginCalls::GetParameterDefaultText(uint32_t index) const {
  const uint64_t raw = GetParameterDefaultRaw(index);
  return IsFailure(kGetParameterDefault, raw) ? nullptr : PointerAt<const char>(raw);
}

const char* PluginCalls::GetShortName() const { return PointerAt<const char>(Call(kGetShortName)); }

const char* PluginCalls::GetElementName(uint32_t index, uint32_t element) const {
  ElementRefRecord ref{index, element};
  return PointerAt<const char>(Call(kGetParameterElementName, AddressOf(&ref)));
}

uint64_t PluginCalls::GetElementValueRaw(uint32_t index, uint32_t element) const {
  ElementRefRecord ref{index, element};
  return Call(kGetParameterElementValue, AddressOf(&ref));
}

float PluginCalls::GetElementValue(uint32_t index, uint32_t element) const {
  return FloatFromBits(GetElementValueRaw(index, element));
}

uint32_t PluginCalls::GetRange(RangeRecord& range) const { return Call32(kGetRange, AddressOf(&range)); }
uint32_t PluginCalls::GetThumbnail(ThumbnailRecord* record) const { return Call32(kGetThumbnail, AddressOf(record)); }

const char* PluginCalls::GetFileExtension(uint32_t index, uint32_t extension) const {
  ElementRefRecord ref{index, extension};
  return PointerAt<const char>(Call(kGetFileExtension, AddressOf(&ref)));
}

void* PluginCalls::Instantiate(const ViewportRecord* viewport) const {
  uint64_t result = Call(kInstantiateGL, AddressOf(viewport));
  return IsFailure(kInstantiateGL, result) ? nullptr : PointerAt<void>(result);
}

uint32_t PluginCalls::ProcessFrame(void* instance, const FrameRecord* frame) const {
  return Call32(kProcessOpenGL, AddressOf(frame), instance);
}

uint32_t PluginCalls::SetFloat(void* instance, uint32_t index, float value) const {
  SetParameterRecord record{};
  record.index = index;
  record.value.floatValue = value;
  return Call32(kSetParameter, AddressOf(&record), instance);
}

uint32_t PluginCalls::SetText(void* instance, uint32_t index, const char* text) const {
  SetParameterRecord record{};
  record.index = index;
  record.value.text = text;
  return Call32(kSetParameter, AddressOf(&record), instance);
}

float PluginCalls::GetFloat(void* instance, uint32_t index) const { return FloatFromBits(GetParameterRaw(instance, index)); }

const char* PluginCalls::GetText(void* instance, uint32_t index) const {
  // A null instance fails with the code's failure value; an instance's own failure is an all-bits-set pointer.
  const uint64_t raw = GetParameterRaw(instance, index);
  return IsFailure(kGetParameter, raw) || raw == kPointerFailure ? nullptr : PointerAt<const char>(raw);
}

const char* PluginCalls::GetDisplay(void* instance, uint32_t index) const {
  return PointerAt<const char>(Call(kGetParameterDisplay, index, instance));
}

uint32_t PluginCalls::SetTime(void* instance, double time) const { return Call32(kSetTime, AddressOf(&time), instance); }

uint32_t PluginCalls::Resize(void* instance, const ViewportRecord* viewport) const {
  return Call32(kResize, AddressOf(viewport), instance);
}

uint32_t PluginCalls::SetElementValue(void* instance, uint32_t index, uint32_t element, float value) const {
  SetElementRecord record{index, element, value};
  return Call32(kSetParameterElementValue, AddressOf(&record), instance);
}

uint32_t PluginCalls::SetBeatInfo(void* instance, float bpm, float barPhase) const {
  BeatRecord record{bpm, barPhase};
  return Call32(kSetBeatInfo, AddressOf(&record), instance);
}

uint32_t PluginCalls::SetHostInfo(void* instance, const char* name, const char* version) const {
  HostInfoRecord record{name, version};
  return Call32(kSetHostInfo, AddressOf(&record), instance);
}

uint32_t PluginCalls::CountEvents(void* instance) const {
  EventListRecord list{0, nullptr};
  const uint64_t status = Call(kGetParameterEvents, AddressOf(&list), instance);
  return IsFailure(kGetParameterEvents, status) ? static_cast<uint32_t>(status) : list.count;
}

std::vector<ParamEventRecord> PluginCalls::CollectEvents(void* instance, uint32_t capacity) const {
  std::vector<ParamEventRecord> events(capacity);
  EventListRecord list{capacity, events.data()};
  if (capacity == 0 || Call32(kGetParameterEvents, AddressOf(&list), instance) != kStatusSuccess) return {};
  events.resize(list.count);
  return events;
}

int64_t PluginCalls::FindParameter(const std::string& name) const {
  uint32_t count = GetNumParameters();
  if (count == kStatusFailure) return -1;
  for (uint32_t i = 0; i < count; ++i)
    if (GetParameterName(i) == name) return i;
  return -1;
}

}  // namespace caller
