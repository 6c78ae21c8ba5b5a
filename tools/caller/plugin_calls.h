// The host's side of plugMain: typed calls onto one module's entry point. Record layouts, the function-code
// table and the rules for carrying pointers, floats and texts come from host/plugin_abi.h, the plugin's side.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/plugin_abi.h"

namespace caller {

// Calls through an entry point: a loaded module's plugMain, or one linked into the program.
class PluginCalls {
 public:
  // entry: the module's plugMain, which must stay callable as long as this object is used.
  explicit PluginCalls(PlugMainFunction entry = nullptr) : entry(entry) {}

  // Raw call: code, input (index or record address), instance (from Instantiate, or null).
  uint64_t Call(uint32_t code, uint64_t input = 0, void* instance = nullptr) const;
  uint32_t Call32(uint32_t code, uint64_t input = 0, void* instance = nullptr) const {
    return static_cast<uint32_t>(Call(code, input, instance));
  }
  // Whether a result is the code's failure value, as the function-code table gives it.
  static bool IsFailure(uint32_t code, uint64_t result) { return result == FailureValueOf(code); }

  // Typed calls, one per function code.
  const PluginInfoLayout* GetInfo() const;
  const void* GetExtendedInfo() const;
  uint32_t Deinitialise() const { return Call32(kDeinitialise); }
  uint32_t Initialise() const { return Call32(kInitialise); }
  uint32_t GetNumParameters() const { return Call32(kGetNumParameters); }
  // Name of a parameter, at most 16 characters; empty when the module answers null.
  std::string GetParameterName(uint32_t index) const;
  const char* GetParameterNameField(uint32_t index) const;
  uint64_t GetParameterDefaultRaw(uint32_t index) const { return Call(kGetParameterDefault, index); }
  float GetParameterDefaultFloat(uint32_t index) const;
  // The default text of a text-valued parameter; null when the module answers with its failure value.
  const char* GetParameterDefaultText(uint32_t index) const;
  uint32_t GetParameterType(uint32_t index) const { return Call32(kGetParameterType, index); }
  uint32_t GetPluginCaps(uint32_t capability) const { return Call32(kGetPluginCaps, capability); }
  uint32_t GetNumElements(uint32_t index) const { return Call32(kGetNumParameterElements, index); }
  uint32_t GetParameterUsage(uint32_t index) const { return Call32(kGetParameterUsage, index); }
  const char* GetShortName() const;
  const char* GetElementName(uint32_t index, uint32_t element) const;
  uint64_t GetElementValueRaw(uint32_t index, uint32_t element) const;
  float GetElementValue(uint32_t index, uint32_t element) const;
  uint32_t GetRange(RangeRecord& range) const;
  uint32_t GetThumbnail(ThumbnailRecord* record) const;
  uint32_t GetNumFileExtensions(uint32_t index) const { return Call32(kGetNumFileExtensions, index); }
  const char* GetFileExtension(uint32_t index, uint32_t extension) const;
  uint32_t GetVisibility(uint32_t index, void* instance = nullptr) const {
    return Call32(kGetParameterVisibility, index, instance);
  }

  // Instance codes; the viewport record is read during the call.
  void* Instantiate(const ViewportRecord* viewport) const;
  uint32_t DeInstantiate(void* instance) const { return Call32(kDeInstantiateGL, 0, instance); }
  uint32_t ProcessFrame(void* instance, const FrameRecord* frame) const;
  uint32_t SetFloat(void* instance, uint32_t index, float value) const;
  uint32_t SetText(void* instance, uint32_t index, const char* text) const;
  uint64_t GetParameterRaw(void* instance, uint32_t index) const { return Call(kGetParameter, index, instance); }
  float GetFloat(void* instance, uint32_t index) const;
  // The text of a text-valued parameter; null when the module answers null or its failure value.
  const char* GetText(void* instance, uint32_t index) const;
  // The display text as the module returned it: null for none, all bits set (kPointerFailure) on failure.
  const char* GetDisplay(void* instance, uint32_t index) const;
  uint32_t GetInputStatus(void* instance, uint32_t input) const { return Call32(kGetInputStatus, input, instance); }
  uint32_t SetTime(void* instance, double time) const;
  uint32_t Connect(void* instance) const { return Call32(kConnect, 0, instance); }
  uint32_t Disconnect(void* instance) const { return Call32(kDisconnect, 0, instance); }
  uint32_t Resize(void* instance, const ViewportRecord* viewport) const;
  uint32_t SetElementValue(void* instance, uint32_t index, uint32_t element, float value) const;
  uint32_t SetBeatInfo(void* instance, float bpm, float barPhase) const;
  uint32_t SetHostInfo(void* instance, const char* name, const char* version) const;
  uint32_t SetSampleRate(void* instance, uint32_t rate) const { return Call32(kSetSampleRate, rate, instance); }
  // Number of pending events without collecting them; the module's failure status when code 46 fails.
  uint32_t CountEvents(void* instance) const;
  // Collects up to capacity events.
  std::vector<ParamEventRecord> CollectEvents(void* instance, uint32_t capacity) const;

  // Looks a parameter up by its name through codes 4 and 5; -1 when absent.
  int64_t FindParameter(const std::string& name) const;

 protected:
  PlugMainFunction entry = nullptr;
};

}  // namespace caller
