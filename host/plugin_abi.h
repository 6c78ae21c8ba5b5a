// The host interface as it crosses the C ABI: function codes, record layouts and the entry point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(_WIN32)
#define MOSARO_EXPORT extern "C" __declspec(dllexport)
#else
#define MOSARO_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// Numeric results: 0 success, all low 32 bits set for failure; pointer results use all 64 bits.
constexpr uint32_t kStatusSuccess = 0;
constexpr uint32_t kStatusFailure = 0xFFFFFFFFu;
constexpr uint64_t kPointerFailure = ~uint64_t{0};

// Function codes of plugMain.
enum FunctionCode : uint32_t {
  kGetInfo = 0,
  kDeinitialise = 2,
  kGetNumParameters = 4,
  kGetParameterName = 5,
  kGetParameterDefault = 6,
  kGetParameterDisplay = 7,
  kSetParameter = 8,
  kGetParameter = 9,
  kGetPluginCaps = 10,
  kGetExtendedInfo = 13,
  kGetParameterType = 15,
  kGetInputStatus = 16,
  kProcessOpenGL = 17,
  kInstantiateGL = 18,
  kDeInstantiateGL = 19,
  kSetTime = 20,
  kConnect = 21,
  kDisconnect = 22,
  kResize = 23,
  kGetNumParameterElements = 31,
  kGetParameterUsage = 32,
  kGetShortName = 33,
  kInitialise = 34,
  kGetParameterElementName = 35,
  kGetParameterElementValue = 36,
  kSetParameterElementValue = 37,
  kSetBeatInfo = 38,
  kSetHostInfo = 39,
  kSetSampleRate = 40,
  kGetRange = 41,
  kGetThumbnail = 42,
  kGetNumFileExtensions = 43,
  kGetFileExtension = 44,
  kGetParameterVisibility = 45,
  kGetParameterEvents = 46,
};

// What a function code works on.
enum class CodeTarget : uint8_t {
  Module,               // module-wide state; needs no instance
  Prototype,            // the prototype instance, made first if there is none
  Instance,             // the instance argument; a null instance fails
  InstanceOrPrototype,  // the instance if one is given, else the prototype
};

// One function code: what it works on, and the value it returns when that is missing or the call fails.
struct FunctionCodeInfo {
  uint32_t code;
  CodeTarget target;
  uint64_t failure;
};

// Every code plugMain answers, in ascending order; any other code fails with kStatusFailure.
inline constexpr FunctionCodeInfo kFunctionCodes[] = {
    {kGetInfo, CodeTarget::Module, kStatusFailure},
    {kDeinitialise, CodeTarget::Module, kStatusFailure},
    {kGetNumParameters, CodeTarget::Prototype, kStatusFailure},
    {kGetParameterName, CodeTarget::Prototype, 0},
    {kGetParameterDefault, CodeTarget::Prototype, kStatusFailure},
    {kGetParameterDisplay, CodeTarget::Instance, kPointerFailure},
    {kSetParameter, CodeTarget::Instance, kStatusFailure},
    {kGetParameter, CodeTarget::Instance, kStatusFailure},
    {kGetPluginCaps, CodeTarget::Prototype, kStatusFailure},
    {kGetExtendedInfo, CodeTarget::Module, kStatusFailure},
    {kGetParameterType, CodeTarget::Prototype, kStatusFailure},
    {kGetInputStatus, CodeTarget::Instance, kStatusFailure},
    {kProcessOpenGL, CodeTarget::Instance, kStatusFailure},
    {kInstantiateGL, CodeTarget::Module, kPointerFailure},
    {kDeInstantiateGL, CodeTarget::Instance, kStatusFailure},
    {kSetTime, CodeTarget::Instance, kStatusFailure},
    {kConnect, CodeTarget::Instance, kStatusFailure},
    {kDisconnect, CodeTarget::Instance, kStatusFailure},
    {kResize, CodeTarget::Instance, kStatusFailure},
    {kGetNumParameterElements, CodeTarget::Prototype, kStatusFailure},
    {kGetParameterUsage, CodeTarget::Prototype, kStatusFailure},
    {kGetShortName, CodeTarget::Prototype, 0},
    {kInitialise, CodeTarget::Module, kStatusFailure},
    {kGetParameterElementName, CodeTarget::Prototype, 0},
    {kGetParameterElementValue, CodeTarget::Prototype, kStatusFailure},
    {kSetParameterElementValue, CodeTarget::Instance, kStatusFailure},
    {kSetBeatInfo, CodeTarget::Instance, kStatusFailure},
    {kSetHostInfo, CodeTarget::Instance, kStatusFailure},
    {kSetSampleRate, CodeTarget::Instance, kStatusFailure},
    {kGetRange, CodeTarget::Prototype, kStatusFailure},
    {kGetThumbnail, CodeTarget::Module, kStatusFailure},
    {kGetNumFileExtensions, CodeTarget::Prototype, kStatusFailure},
    {kGetFileExtension, CodeTarget::Prototype, 0},
    {kGetParameterVisibility, CodeTarget::InstanceOrPrototype, kStatusFailure},
    {kGetParameterEvents, CodeTarget::Instance, kStatusFailure},
};

// The table's entry for a code; null for a code plugMain does not answer.
constexpr const FunctionCodeInfo* FindFunctionCode(uint32_t code) {
  for (const FunctionCodeInfo& info : kFunctionCodes)
    if (info.code == code) return &info;
  return nullptr;
}

// The value that stands for failure of a code: all 64 bits for codes 7 and 18, null for the text codes.
constexpr uint64_t FailureValueOf(uint32_t code) {
  const FunctionCodeInfo* info = FindFunctionCode(code);
  return info ? info->failure : kStatusFailure;
}

constexpr bool FunctionCodesAscend() {
  for (size_t i = 1; i < sizeof kFunctionCodes / sizeof kFunctionCodes[0]; ++i)
    if (kFunctionCodes[i - 1].code >= kFunctionCodes[i].code) return false;
  return true;
}
static_assert(FunctionCodesAscend(), "function codes listed once each, in ascending order");
static_assert(sizeof kFunctionCodes / sizeof kFunctionCodes[0] == 35, "the interface answers 35 codes");

// Capability numbers of code 10.
enum Capability : uint32_t {
  kCapTimeSupported = 5,
  kCapMinInputs = 10,
  kCapMaxInputs = 11,
};

// Parameter type codes of the registry.
enum ParamType : uint32_t {
  kTypeBoolean = 0,
  kTypeEvent = 1,
  kTypeRed = 2,
  kTypeGreen = 3,
  kTypeBlue = 4,
  kTypeStandard = 10,
  kTypeOption = 11,
  kTypeBuffer = 12,
  kTypeInteger = 13,
  kTypeFile = 14,
  kTypeText = 100,
  kTypeHue = 200,
  kTypeSaturation = 201,
  kTypeBrightness = 202,
  kTypeAlpha = 203,
  kTypeNone = 0xFFFFFFFFu,
};

// Types whose values travel as text pointers; the values of every other type are float bit patterns.
constexpr bool IsTextValuedType(uint32_t type) { return type == kTypeText || type == kTypeFile; }

// A pointer as plugMain carries it in its input or result, and back.
inline uint64_t AddressOf(const void* pointer) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(pointer)); }
template <typename T>
T* PointerAt(uint64_t address) {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(address));
}

// A float as plugMain carries it: its bit pattern in the low 32 bits; and back from those bits.
inline uint64_t FloatBitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}
inline float FloatFromBits(uint64_t bits) {
  const uint32_t low = static_cast<uint32_t>(bits);
  float value;
  std::memcpy(&value, &low, sizeof value);
  return value;
}

// Event bit of a parameter whose visibility changed.
constexpr uint64_t kEventVisibilityChanged = 1;

// Output area in pixels; host-owned, read during the call only.
struct ViewportRecord {
  uint32_t x;
  uint32_t y;
  uint32_t width;
  uint32_t height;
};

// One input texture; host-owned, valid during the frame call only.
struct TextureRecord {
  uint32_t width;
  uint32_t height;
  uint32_t hardwareWidth;
  uint32_t hardwareHeight;
  uint32_t handle;
};

// A frame's inputs; host-owned array of host-owned records, valid during the frame call only.
struct FrameRecord {
  uint32_t inputCount;
  TextureRecord** inputTextures;
};

// Code 8: the value is a float in the low 4 bytes or a host-owned text pointer valid during the call.
struct SetParameterRecord {
  uint32_t index;
  union {
    float floatValue;
    const char* text;
    uint64_t bits;
  } value;
};

// Codes 35, 36, 44; host-owned, read during the call only.
struct ElementRefRecord {
  uint32_t paramIndex;
  uint32_t elementIndex;
};

// Code 37; host-owned, read during the call only.
struct SetElementRecord {
  uint32_t paramIndex;
  uint32_t elementIndex;
  float value;
};

// Code 41; host-owned, index read and range written during the call.
struct RangeRecord {
  uint32_t paramIndex;
  float minimum;
  float maximum;
};

// Code 38; host-owned, read during the call only.
struct BeatRecord {
  float bpm;
  float barPhase;
};

// Code 39; record and both texts host-owned, copied during the call.
struct HostInfoRecord {
  const char* name;
  const char* version;
};

// Code 42; host-owned, sizes written during the call.
struct ThumbnailRecord {
  uint32_t width;
  uint32_t height;
  void* pixels;
};

// One pending event; lives in the host's array.
struct ParamEventRecord {
  uint32_t paramIndex;
  uint64_t flags;
};

// Code 46; record and array host-owned, written during the call.
struct EventListRecord {
  uint32_t count;
  ParamEventRecord* events;
};

static_assert(sizeof(ViewportRecord) == 16 && offsetof(ViewportRecord, height) == 12, "ViewportRecord layout");
static_assert(sizeof(TextureRecord) == 20 && offsetof(TextureRecord, handle) == 16, "TextureRecord layout");
static_assert(sizeof(FrameRecord) == 16 && offsetof(FrameRecord, inputTextures) == 8, "FrameRecord layout");
static_assert(sizeof(SetParameterRecord) == 16 && offsetof(SetParameterRecord, value) == 8, "SetParameterRecord layout");
static_assert(sizeof(ElementRefRecord) == 8 && offsetof(ElementRefRecord, elementIndex) == 4, "ElementRefRecord layout");
static_assert(sizeof(SetElementRecord) == 12 && offsetof(SetElementRecord, value) == 8, "SetElementRecord layout");
static_assert(sizeof(RangeRecord) == 12 && offsetof(RangeRecord, minimum) == 4 && offsetof(RangeRecord, maximum) == 8, "RangeRecord layout");
static_assert(sizeof(BeatRecord) == 8 && offsetof(BeatRecord, barPhase) == 4, "BeatRecord layout");
static_assert(sizeof(HostInfoRecord) == 16 && offsetof(HostInfoRecord, version) == 8, "HostInfoRecord layout");
static_assert(sizeof(ThumbnailRecord) == 16 && offsetof(ThumbnailRecord, pixels) == 8, "ThumbnailRecord layout");
static_assert(sizeof(ParamEventRecord) == 16 && offsetof(ParamEventRecord, flags) == 8, "ParamEventRecord layout");
static_assert(sizeof(EventListRecord) == 16 && offsetof(EventListRecord, events) == 8, "EventListRecord layout");

// The host-visible part of the information record (72 bytes); lives in the module until unload.
struct PluginInfoLayout {
  uint32_t apiMajorVersion;
  uint32_t apiMinorVersion;
  char uniqueId[4];
  char pluginName[16];
  uint32_t pluginType;
  // Extended part (code 13 points here).
  uint32_t pluginMajorVersion;
  uint32_t pluginMinorVersion;
  const char* description;
  const char* about;
  uint32_t extendedDataSize;
  uint32_t reserved;
  void* extendedData;
};
static_assert(sizeof(PluginInfoLayout) == 72, "info record size");
static_assert(offsetof(PluginInfoLayout, uniqueId) == 8 && offsetof(PluginInfoLayout, pluginName) == 12, "info record names");
static_assert(offsetof(PluginInfoLayout, pluginType) == 28 && offsetof(PluginInfoLayout, pluginMajorVersion) == 32, "info record extended part");
static_assert(offsetof(PluginInfoLayout, description) == 40 && offsetof(PluginInfoLayout, about) == 48, "info record texts");
static_assert(offsetof(PluginInfoLayout, extendedDataSize) == 56 && offsetof(PluginInfoLayout, extendedData) == 64, "info record extended data");

// The only export: input is an index or a host-owned record pointer valid during the call; instance
// is a pointer returned by code 18 (module-owned until code 19) or null. Returns a number or a pointer.
using PlugMainFunction = uint64_t (*)(uint32_t functionCode, uint64_t input, void* instance);
