#include "tools/hostlib/plugin_host.h"

#include <cstring>
#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace hostlib {

namespace {
uint64_t Address(const void* p) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)); }
#if defined(_WIN32)
// The system's text for an error code, without its line end.
std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length && text ? std::string(text, length) : "unknown error";
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}
#endif
template <typename T>
T FromAddress(uint64_t value) {
  return reinterpret_cast<T>(static_cast<uintptr_t>(value));
}
}  // namespace

float FloatFromBits(uint64_t bits) {
  uint32_t low = static_cast<uint32_t>(bits);
  float value;
  std::memcpy(&value, &low, sizeof value);
  return value;
}

PluginModule::~PluginModule() {
#if defined(_WIN32)
  if (handle) FreeLibrary(static_cast<HMODULE>(handle));
#else
  if (handle) dlclose(handle);
#endif
}

bool PluginModule::Load(const std::string& path) {
#if defined(_WIN32)
  // Paths are UTF-8 text on every platform; Windows opens them by their UTF-16 form.
  HMODULE module = LoadLibraryW(std::filesystem::u8path(path).c_str());
  if (!module) {
    const DWORD code = GetLastError();
    lastError = "cannot load " + path + ": " + SystemMessage(code) + " (error " + std::to_string(code) + ")";
    return false;
  }
  handle = module;
  entry = reinterpret_cast<PlugMainFunction>(reinterpret_cast<void*>(GetProcAddress(module, "plugMain")));
#else
  handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    lastError = "cannot load " + path + ": " + (why ? why : "unknown error");
    return false;
  }
  entry = reinterpret_cast<PlugMainFunction>(dlsym(handle, "plugMain"));
#endif
  if (!entry) lastError = path + " has no plugMain export";
  return entry != nullptr;
}

uint64_t PluginModule::Call(uint32_t code, uint64_t input, void* instance) const { return entry(code, input, instance); }

const PluginInfoLayout* PluginModule::GetInfo() const { return FromAddress<const PluginInfoLayout*>(Call(kGetInfo)); }
const void* PluginModule::GetExtendedInfo() const { return FromAddress<const void*>(Call(kGetExtendedInfo)); }

const char* PluginModule::GetParameterNameField(uint32_t index) const {
  return FromAddress<const char*>(Call(kGetParameterName, index));
}

std::string PluginModule::GetParameterName(uint32_t index) const {
  const char* field = GetParameterNameField(index);
  if (!field) return {};
  return std::string(field, strnlen(field, 16));
}

float PluginModule::GetParameterDefaultFloat(uint32_t index) const { return FloatFromBits(GetParameterDefaultRaw(index)); }
const char* PluginModule::GetShortName() const { return FromAddress<const char*>(Call(kGetShortName)); }

const char* PluginModule::GetElementName(uint32_t index, uint32_t element) const {
  ElementRefRecord ref{index, element};
  return FromAddress<const char*>(Call(kGetParameterElementName, Address(&ref)));
}

uint64_t PluginModule::GetElementValueRaw(uint32_t index, uint32_t element) const {
  ElementRefRecord ref{index, element};
  return Call(kGetParameterElementValue, Address(&ref));
}

float PluginModule::GetElementValue(uint32_t index, uint32_t element) const {
  return FloatFromBits(GetElementValueRaw(index, element));
}

uint32_t PluginModule::GetRange(RangeRecord& range) const { return Call32(kGetRange, Address(&range)); }
uint32_t PluginModule::GetThumbnail(ThumbnailRecord* record) const { return Call32(kGetThumbnail, Address(record)); }

const char* PluginModule::GetFileExtension(uint32_t index, uint32_t extension) const {
  ElementRefRecord ref{index, extension};
  return FromAddress<const char*>(Call(kGetFileExtension, Address(&ref)));
}

void* PluginModule::Instantiate(const ViewportRecord* viewport) const {
  uint64_t result = Call(kInstantiateGL, Address(viewport));
  return result == kPointerFailure ? nullptr : FromAddress<void*>(result);
}

uint32_t PluginModule::ProcessFrame(void* instance, const FrameRecord* frame) const {
  return Call32(kProcessOpenGL, Address(frame), instance);
}

uint32_t PluginModule::SetFloat(void* instance, uint32_t index, float value) const {
  SetParameterRecord record{};
  record.index = index;
  record.value.floatValue = value;
  return Call32(kSetParameter, Address(&record), instance);
}

uint32_t PluginModule::SetText(void* instance, uint32_t index, const char* text) const {
  SetParameterRecord record{};
  record.index = index;
  record.value.text = text;
  return Call32(kSetParameter, Address(&record), instance);
}

float PluginModule::GetFloat(void* instance, uint32_t index) const { return FloatFromBits(GetParameterRaw(instance, index)); }

const char* PluginModule::GetDisplay(void* instance, uint32_t index) const {
  return FromAddress<const char*>(Call(kGetParameterDisplay, index, instance));
}

uint32_t PluginModule::SetTime(void* instance, double time) const { return Call32(kSetTime, Address(&time), instance); }

uint32_t PluginModule::Resize(void* instance, const ViewportRecord* viewport) const {
  return Call32(kResize, Address(viewport), instance);
}

uint32_t PluginModule::SetElementValue(void* instance, uint32_t index, uint32_t element, float value) const {
  SetElementRecord record{index, element, value};
  return Call32(kSetParameterElementValue, Address(&record), instance);
}

uint32_t PluginModule::SetBeatInfo(void* instance, float bpm, float barPhase) const {
  BeatRecord record{bpm, barPhase};
  return Call32(kSetBeatInfo, Address(&record), instance);
}

uint32_t PluginModule::SetHostInfo(void* instance, const char* name, const char* version) const {
  HostInfoRecord record{name, version};
  return Call32(kSetHostInfo, Address(&record), instance);
}

uint32_t PluginModule::CountEvents(void* instance) const {
  EventListRecord list{0, nullptr};
  const uint32_t status = Call32(kGetParameterEvents, Address(&list), instance);
  return status == kStatusSuccess ? list.count : status;
}

std::vector<ParamEventRecord> PluginModule::CollectEvents(void* instance, uint32_t capacity) const {
  std::vector<ParamEventRecord> events(capacity);
  EventListRecord list{capacity, events.data()};
  if (capacity == 0 || Call32(kGetParameterEvents, Address(&list), instance) != kStatusSuccess) return {};
  events.resize(list.count);
  return events;
}

int64_t PluginModule::FindParameter(const std::string& name) const {
  uint32_t count = GetNumParameters();
  if (count == kStatusFailure) return -1;
  for (uint32_t i = 0; i < count; ++i)
    if (GetParameterName(i) == name) return i;
  return -1;
}

}  // namespace hostlib
