#include "host/entry_point.h"

#include <memory>

#include "host/host_plugin.h"
#include "host/module_binding.h"
#include "host/plugin_info.h"

namespace {

CHostPlugin* prototype = nullptr;
bool glLoaderAttempted = false;
bool glLoaderSucceeded = false;

struct InstanceDeleter {
  void operator()(CHostPlugin* p) const { delete p; }
};
using InstanceHandle = std::unique_ptr<CHostPlugin, InstanceDeleter>;

uint32_t IndexOf(uint64_t input) { return static_cast<uint32_t>(input); }

bool EnsurePrototype() {
  if (prototype) return true;
  CHostPlugin* made = nullptr;
  if (ModulePluginInfo()->factory(&made) == kStatusFailure || made == nullptr) return false;
  prototype = made;
  return true;
}

uint32_t TypeForRouting(uint32_t index) {
  if (!EnsurePrototype()) return kTypeNone;
  const ParamEntry* entry = prototype->FindParam(index);
  return entry ? entry->type : kTypeNone;
}

const ParamEntry* PrototypeEntry(uint64_t input) {
  return EnsurePrototype() ? prototype->FindParam(IndexOf(input)) : nullptr;
}

const ParamElement* PrototypeElement(const ElementRefRecord* ref) {
  if (!ref || !EnsurePrototype()) return nullptr;
  const ParamEntry* entry = prototype->FindParam(ref->paramIndex);
  if (!entry || ref->elementIndex >= entry->elements.size()) return nullptr;
  return &entry->elements[ref->elementIndex];
}

uint64_t Instantiate(const ViewportRecord* viewport) {
  if (!viewport || !EnsurePrototype()) return kPointerFailure;
  CHostPlugin* made = nullptr;
  if (ModulePluginInfo()->factory(&made) == kStatusFailure || made == nullptr) return kPointerFailure;
  InstanceHandle instance(made);
  instance->owner = instance.get();
  for (uint32_t i = 0; i < prototype->GetParamCount(); ++i) {
    const ParamEntry* entry = prototype->FindParam(i);
    if (!entry) continue;
    uint32_t status = IsTextValuedType(entry->type) ? instance->SetTextParameter(i, entry->defaultText.c_str())
                                                : instance->SetFloatParameter(i, entry->defaultValue);
    if (status == kStatusFailure) return kPointerFailure;
  }
  // A missing context does not use up the module's one loader attempt.
  if (!glLoaderAttempted) {
    if (!IsGLContextCurrent()) return kPointerFailure;
    glLoaderAttempted = true;
    glLoaderSucceeded = LoadGLEntryPoints();
  }
  if (!glLoaderSucceeded) return kPointerFailure;
  // Whether InitGL fails or throws (memory exhausted while building a program), whatever GL objects it made
  // are released before the instance is freed.
  bool initialised = false;
  try {
    initialised = instance->InitGL(viewport) == kStatusSuccess;
  } catch (...) {
  }
  if (!initialised) {
    instance->DeInitGL();
    return kPointerFailure;
  }
  return AddressOf(instance.release());
}

uint64_t DeInstantiate(CHostPlugin* instance) {
  InstanceHandle owned(instance);
  if (owned->connected) {
    owned->Disconnect();
    owned->connected = false;
  }
  owned->DeInitGL();
  return kStatusSuccess;
}

uint64_t CollectEvents(CHostPlugin* instance, EventListRecord* list) {
  if (!list) return kStatusFailure;
  if (!list->events) {
    list->count = instance->CountPendingEvents();
    return kStatusSuccess;
  }
  list->count = instance->CollectEvents(list->events, list->count);
  return kStatusSuccess;
}

uint64_t SetElementValue(CHostPlugin* instance, const SetElementRecord* record) {
  if (!record) return kStatusFailure;
  ParamEntry* entry = instance->FindParam(record->paramIndex);
  if (!entry || record->elementIndex >= entry->elements.size()) return kStatusFailure;
  entry->elements[record->elementIndex].value = record->value;
  return kStatusSuccess;
}

uint64_t SetParameter(CHostPlugin* instance, const SetParameterRecord* record) {
  if (!record) return kStatusFailure;
  if (IsTextValuedType(TypeForRouting(record->index)))
    return instance->SetTextParameter(record->index, record->value.text);
  return instance->SetFloatParameter(record->index, record->value.floatValue);
}

uint64_t GetParameter(CHostPlugin* instance, uint32_t index) {
  if (IsTextValuedType(TypeForRouting(index))) return AddressOf(instance->GetTextParameter(index));
  return FloatBitsOf(instance->GetFloatParameter(index));
}

uint64_t ProcessFrame(CHostPlugin* instance, const FrameRecord* frame) {
  if (!frame) return kStatusFailure;
  if (!instance->connected) {
    instance->Connect();
    instance->connected = true;
  }
  return instance->ProcessOpenGL(frame);
}

uint64_t ModuleCode(uint32_t code, uint64_t input) {
  switch (code) {
    case kGetInfo: return AddressOf(&ModulePluginInfo()->layout);
    case kGetExtendedInfo: return AddressOf(&ModulePluginInfo()->layout.pluginMajorVersion);
    case kDeinitialise: {
      CHostPlugin* old = prototype;
      prototype = nullptr;
      delete old;
      return kStatusSuccess;
    }
    case kInitialise: return EnsurePrototype() ? kStatusSuccess : kStatusFailure;
    case kInstantiateGL: return Instantiate(PointerAt<const ViewportRecord>(input));
    case kGetThumbnail: {
      auto* thumbnail = PointerAt<ThumbnailRecord>(input);
      if (thumbnail) thumbnail->width = thumbnail->height = 0;
      return kStatusFailure;
    }
    default: return FailureValueOf(code);
  }
}

uint64_t PrototypeCode(uint32_t code, uint64_t input) {
  if (!EnsurePrototype()) return FailureValueOf(code);
  switch (code) {
    case kGetNumParameters: return prototype->GetParamCount();
    case kGetParameterName: {
      const ParamEntry* entry = PrototypeEntry(input);
      return entry ? AddressOf(entry->name) : 0;
    }
    case kGetParameterDefault: {
      const ParamEntry* entry = PrototypeEntry(input);
      if (!entry) return kStatusFailure;
      return IsTextValuedType(entry->type) ? AddressOf(entry->defaultText.c_str()) : FloatBitsOf(entry->defaultValue);
    }
    case kGetPluginCaps:
      switch (IndexOf(input)) {
        case kCapTimeSupported: return prototype->timeSupported ? 1 : 0;
        case kCapMinInputs: return prototype->minInputs < 0 ? 0u : static_cast<uint32_t>(prototype->minInputs);
        case kCapMaxInputs: return prototype->maxInputs < 0 ? 0u : static_cast<uint32_t>(prototype->maxInputs);
        default: return 0;
      }
    case kGetParameterType: {
      const ParamEntry* entry = PrototypeEntry(input);
      return entry ? entry->type : kStatusFailure;
    }
    case kGetNumParameterElements: {
      const ParamEntry* entry = PrototypeEntry(input);
      return entry ? static_cast<uint32_t>(entry->elements.size()) : kStatusFailure;
    }
    case kGetParameterUsage: {
      const ParamEntry* entry = PrototypeEntry(input);
      return entry ? entry->usage : kStatusFailure;
    }
    case kGetShortName: return AddressOf(prototype->GetShortName());
    case kGetParameterElementName: {
      const ParamElement* element = PrototypeElement(PointerAt<const ElementRefRecord>(input));
      return element ? AddressOf(element->name.c_str()) : 0;
    }
    case kGetParameterElementValue: {
      const ParamElement* element = PrototypeElement(PointerAt<const ElementRefRecord>(input));
      return element ? FloatBitsOf(element->value) : kStatusFailure;
    }
    case kGetRange: {
      auto* range = PointerAt<RangeRecord>(input);
      if (!range) return kStatusFailure;
      const ParamEntry* entry = prototype->FindParam(range->paramIndex);
      range->minimum = entry ? entry->minimum : 0.0f;
      range->maximum = entry ? entry->maximum : 1.0f;
      return kStatusSuccess;
    }
    case kGetNumFileExtensions: {
      const ParamEntry* entry = PrototypeEntry(input);
      return entry ? static_cast<uint32_t>(entry->fileExtensions.size()) : 0;
    }
    case kGetFileExtension: {
      auto* ref = PointerAt<const ElementRefRecord>(input);
      if (!ref) return 0;
      const ParamEntry* entry = prototype->FindParam(ref->paramIndex);
      if (!entry || ref->elementIndex >= entry->fileExtensions.size()) return 0;
      return AddressOf(entry->fileExtensions[ref->elementIndex].c_str());
    }
    default: return FailureValueOf(code);
  }
}

uint64_t InstanceCode(uint32_t code, uint64_t input, CHostPlugin* instance) {
  switch (code) {
    case kGetParameterDisplay: return AddressOf(instance->GetParameterDisplay(IndexOf(input)));
    case kSetParameter: return SetParameter(instance, PointerAt<const SetParameterRecord>(input));
    case kGetParameter: return GetParameter(instance, IndexOf(input));
    case kGetInputStatus: return instance->GetInputStatus(IndexOf(input));
    case kProcessOpenGL: return ProcessFrame(instance, PointerAt<const FrameRecord>(input));
    case kDeInstantiateGL: return DeInstantiate(instance);
    case kSetTime: {
      auto* time = PointerAt<const double>(input);
      return time ? instance->SetTime(*time) : kStatusFailure;
    }
    case kConnect: {
      uint32_t status = instance->Connect();
      if (status == kStatusSuccess) instance->connected = true;
      return status;
    }
    case kDisconnect: {
      uint32_t status = instance->Disconnect();
      if (status == kStatusSuccess) instance->connected = false;
      return status;
    }
    case kResize: {
      auto* viewport = PointerAt<const ViewportRecord>(input);
      return viewport ? instance->Resize(viewport) : kStatusFailure;
    }
    case kSetParameterElementValue: return SetElementValue(instance, PointerAt<const SetElementRecord>(input));
    case kSetBeatInfo: {
      auto* beat = PointerAt<const BeatRecord>(input);
      if (!beat) return kStatusFailure;
      instance->SetBeatInfo(beat->bpm, beat->barPhase);
      return kStatusSuccess;
    }
    case kSetHostInfo: {
      auto* info = PointerAt<const HostInfoRecord>(input);
      if (!info) return kStatusFailure;
      instance->SetHostInfo(info->name, info->version);
      return kStatusSuccess;
    }
    case kSetSampleRate: instance->SetSampleRate(IndexOf(input)); return kStatusSuccess;
    case kGetParameterEvents: return CollectEvents(instance, PointerAt<EventListRecord>(input));
    default: return FailureValueOf(code);
  }
}

// Code 45: the instance's own flag if one is given, else the prototype's.
uint64_t Visibility(uint64_t input, CHostPlugin* instance) {
  const ParamEntry* entry = instance ? instance->FindParam(IndexOf(input)) : PrototypeEntry(input);
  return entry ? (entry->visible ? 1u : 0u) : kStatusFailure;
}

}  // namespace

uint64_t DispatchFunctionCode(uint32_t code, uint64_t input, void* instance) {
  const FunctionCodeInfo* info = FindFunctionCode(code);
  if (!info) return kStatusFailure;
  auto* plugin = static_cast<CHostPlugin*>(instance);
  switch (info->target) {
    case CodeTarget::Instance: return plugin ? InstanceCode(code, input, plugin) : info->failure;
    case CodeTarget::Prototype: return PrototypeCode(code, input);
    case CodeTarget::InstanceOrPrototype: return Visibility(input, plugin);
    case CodeTarget::Module: return ModuleCode(code, input);
  }
  return info->failure;
}
