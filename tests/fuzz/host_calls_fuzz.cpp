// Fuzz target: arbitrary host call sequences reach the module through its own plugMain, compiled in (or,
// replayed by tests/fuzz/replay_corpus.cpp, through a built module's export), on a real GL context. Every call
// is one a host could make: instance pointers are only those that code 18 returned (or null), records are real
// records or null, texts are real zero-terminated texts or null. Besides crashes and sanitizer reports, each
// result is checked against what the host interface documents, and no call may leave a GL error behind.
//
// Input encoding, one call after the other until the bytes run out or kMaxCalls is reached:
//   op byte: 0..250 function code op % 51; 251..254 the host saves preset variant op - 251;
//            255 a 32-bit code read from the input.
//   instance byte (codes only): low two bits 0 give null, else live instance (byte >> 2) % live count.
//   then the code's input: index (byte k < 0xF0: (k << 8 | next byte) % 480; 0xF0..0xF7 a boundary
//   index; else 32 bits), float (byte < 0x80: one of kFloatPatterns; else 32 raw bits), text (length
//   byte, 0xFF for null, else % 64 bytes), and "present" bytes (low three bits 0: a null record).
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <string>
#include <vector>

#include "glsupport/host_gl.h"

#include "effect/layer_params.h"
#include "host/plugin_abi.h"
#include "tests/support/checks.h"
#if !defined(MOSARO_REPLAY_MODULE)
#include "tests/support/in_process_module.h"
#endif
#include "tests/support/preset_writer.h"
#include "tools/caller/documents_folder.h"
#include "tools/caller/gl_context.h"
#include "tools/caller/plugin_module.h"


// The leak checker's scan of the GL driver's dynamic TLS can crash with this C library; it is skipped.
extern "C" const char* __lsan_default_options() { return "intercept_tls_get_addr=0"; }

namespace {

constexpr int kMaxCalls = 96;             // calls per input
constexpr int kMaxInstantiations = 2;     // successful code 18 calls per input (each compiles two programs)
constexpr size_t kMaxLiveInstances = 2;   // instances alive at once
constexpr int kMaxFrames = 256;           // code 17 calls per input, bursts included
constexpr uint32_t kIndexSpan = 480;      // plain indices reach a little past the last parameter
constexpr int kTargetWidth = 32;
constexpr int kTargetHeight = 18;

const uint32_t kBoundaryIndices[] = {kParameterCount - 1, kParameterCount, 0x7FFFFFFFu, 0x80000000u,
                                     0xFFFFFFFEu,         0xFFFFFFFFu,     0x10000u,    10u};

const uint32_t kFloatPatterns[] = {
    0x00000000u,  // 0
    0x3F800000u,  // 1
    0xBF800000u,  // -1
    0x3F000000u,  // 0.5
    0x7FC00000u,  // quiet NaN
    0xFFC00000u,  // negative NaN
    0x7F800001u,  // signalling NaN
    0x7F800000u,  // +infinity
    0xFF800000u,  // -infinity
    0x00000001u,  // smallest denormal
    0x007FFFFFu,  // largest denormal
    0x7F7FFFFFu,  // largest float
    0xFF7FFFFFu,  // most negative float
    0x80000000u,  // -0
    0x40000000u,  // 2
    0x40400000u,  // 3
    0x41C00000u,  // 24
    0x41C80000u,  // 25
    0x42800000u,  // 64
    0x42820000u,  // 65
    0x46800000u,  // 16384
    0xC6800000u,  // -16384
    0x4CBEBC20u,  // 1e8
    0xCB189680u,  // -1e7
    0x4F000000u,  // 2^31
    0x5F800000u,  // 2^64
    0x44F00000u,  // 1920
    0x44870000u,  // 1080
    0x43B40000u,  // 360
    0x3DCCCCCDu,  // 0.1
    0x3FC00000u,  // 1.5
    0xBF7FFFEFu,  // -0.999999
};

const uint32_t kSizes[] = {0, 1, 2, 32, 18, 1920, 1080, 16384, 65535, 0x7FFFFFFFu, 0xFFFFFFFFu};

const double kTimes[] = {0.0, 1.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                         1e300, std::numeric_limits<double>::denorm_min()};

// Preset variants the fuzzed host may save: three slices, one slice, a screen without slices, a torn file.
std::string PresetVariant(int variant) {
  using testsupport::Box;
  auto slice = [](const char* name, float x0, float y0, float x1, float y1) {
    return testsupport::PresetSlice{name, Box(x0, y0, x1, y1), Box(x0, y0, x1, y1)};
  };
  std::vector<testsupport::PresetScreen> screens = {{"Main", {}}};
  if (variant == 0)
    screens[0].slices = {slice("Wide", 0, 0, 32, 9), slice("Point", 5, 5, 5, 5), slice("Tall", 8, 0, 16, 18)};
  if (variant == 1 || variant >= 3) screens[0].slices = {slice("Only", 4, 2, 20, 12)};
  testsupport::PresetStyle style;
  style.documentName = "Fuzz";
  const std::string text = testsupport::PresetXml(screens, style);
  // Torn inside the Screen, as a save that is still being written.
  return variant >= 3 ? text.substr(0, text.find("<layers>") + 4) : text;
}

// One call's answer checked against the interface; the first failure stops the fuzzer
// (testsupport::checks::AbortOnFailure).
#define CHECK_CALL(condition, code, what) \
  CHECK_MSG(condition, "host call check failed: code " + std::to_string(code) + ": " + (what))

#if defined(MOSARO_REPLAY_MODULE)
// The built module's exported entry point, loaded once and kept for the process.
const caller::PluginCalls& Module() {
  static caller::PluginModule module;
  if (!module.loaded()) CHECK_CALL(module.Load(MOSARO_REPLAY_MODULE), 0, module.error());
  return module;
}
#else
// The module's own entry point, compiled into this target, called as a host calls a loaded module.
const caller::PluginCalls& Module() { return testsupport::InProcess(); }
#endif

uint64_t Call(uint32_t code, uint64_t input, void* instance) { return Module().Call(code, input, instance); }

// Reads a zero-terminated text the module handed out; the sanitizer reports it if it is not one.
void ReadText(const char* text) {
  volatile size_t length = std::strlen(text);
  (void)length;
}

// The fuzz input read as the host's decisions; past its end every read gives zero.
class Decisions {
 public:
  Decisions(const uint8_t* data, size_t size) : at(data), left(size) {}
  bool empty() const { return left == 0; }
  uint8_t Byte() {
    if (left == 0) return 0;
    --left;
    return *at++;
  }
  uint32_t U32() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(Byte()) << (8 * i);
    return value;
  }
  uint64_t U64() { return U32() | (static_cast<uint64_t>(U32()) << 32); }
  bool Present() { return (Byte() & 7) != 0; }
  uint32_t Index() {
    const uint8_t kind = Byte();
    if (kind < 0xF0) return ((static_cast<uint32_t>(kind) << 8) | Byte()) % kIndexSpan;
    if (kind < 0xF8) return kBoundaryIndices[kind - 0xF0];
    return U32();
  }
  uint32_t FloatBits() {
    const uint8_t kind = Byte();
    if (kind < 0x80) return kFloatPatterns[kind % (sizeof kFloatPatterns / sizeof kFloatPatterns[0])];
    return U32();
  }
  float Float() { return FloatFromBits(FloatBits()); }
  uint32_t Size() {
    const uint8_t kind = Byte();
    if (kind < 0xF0) return kind;
    if (kind < 0xF0 + sizeof kSizes / sizeof kSizes[0]) return kSizes[kind - 0xF0];
    return U32();
  }
  double Time() {
    const uint8_t kind = Byte();
    if (kind < 0x80) return kTimes[kind % (sizeof kTimes / sizeof kTimes[0])];
    const uint64_t bits = U64();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

 private:
  const uint8_t* at;
  size_t left;
};

// What stays between inputs: the home folder with the preset, the GL context and its targets, and the
// parameter types the host read once.
struct FuzzHost {
  caller::DocumentsFolder* documents = nullptr;
  std::string presetPath;
  int64_t presetTime = 1700000000000;
  int savedVariant = 0;
  caller::GlContext* context = nullptr;
  caller::RenderTarget* target = nullptr;
  caller::Texture* texture = nullptr;
  std::vector<uint32_t> types;
};

FuzzHost& Host() {
  static FuzzHost host;
  return host;
}

void SavePreset(int variant) {
  FuzzHost& host = Host();
  host.presetTime += 1000;
  host.presetPath = host.documents->WritePreset("Host", "mapping.xml", PresetVariant(variant), host.presetTime);
  CHECK_CALL(!host.presetPath.empty(), 0, "the host cannot save its preset");
  host.savedVariant = variant;
}

void RemoveHome() {
  delete Host().documents;
  Host().documents = nullptr;
}

uint32_t TypeOf(uint32_t index) { return index < Host().types.size() ? Host().types[index] : kTypeNone; }

// One input's run: the live instances and the records and texts handed to the module, which stay
// valid for the call (and here for the whole input).
class Session {
 public:
  explicit Session(Decisions& input) : in(input) {}

  void Run() {
    for (int call = 0; call < kMaxCalls && !in.empty(); ++call) {
      const uint8_t op = in.Byte();
      if (op >= 251 && op <= 254) {
        SavePreset(op - 251);
        continue;
      }
      const uint32_t code = op == 255 ? in.U32() : op % 51u;
      void* instance = PickInstance();
      CallCode(code, instance);
      CHECK_CALL(glGetError() == GL_NO_ERROR, code, "a GL error was left behind");
    }
    // The host ends what it started, then unloads.
    for (void* instance : live) CHECK_CALL(Call(kDeInstantiateGL, 0, instance) == 0, kDeInstantiateGL, "teardown");
    live.clear();
    CHECK_CALL(Call(kDeinitialise, 0, nullptr) == 0, kDeinitialise, "teardown");
    if (Host().savedVariant != 0) SavePreset(0);
  }

 private:
  void* PickInstance() {
    const uint8_t choice = in.Byte();
    if ((choice & 3) == 0 || live.empty()) return nullptr;
    return live[(choice >> 2) % live.size()];
  }

  const char* Text() {
    const uint8_t length = in.Byte();
    if (length == 0xFF) return nullptr;
    std::string& text = texts.emplace_back();
    for (int i = 0; i < length % 64; ++i) text.push_back(static_cast<char>(in.Byte()));
    return text.c_str();
  }

  template <typename Record>
  Record* Keep(const Record& record) {
    records.emplace_back(sizeof(Record));
    return static_cast<Record*>(std::memcpy(records.back().data(), &record, sizeof(Record)));
  }

  ViewportRecord* Viewport() {
    if (!in.Present()) return nullptr;
    ViewportRecord viewport{in.Size(), in.Size(), in.Size(), in.Size()};
    return Keep(viewport);
  }

  void CallCode(uint32_t code, void* instance) {
    const FunctionCodeInfo* info = FindFunctionCode(code);
    const bool isInstanceCode = info && info->target == CodeTarget::Instance;
    switch (code) {
      case kGetInfo: {
        const auto* info = PointerAt<const PluginInfoLayout>(Call(code, 0, instance));
        CHECK_CALL(info != nullptr && info->apiMajorVersion == 2 && std::memcmp(info->uniqueId, "QM01", 4) == 0, code,
              "information record");
        ReadText(info->description);
        ReadText(info->about);
        return;
      }
      case kGetExtendedInfo: {
        const uint64_t extended = Call(code, 0, instance);
        CHECK_CALL(extended == Call(kGetInfo, 0, nullptr) + 32, code, "extended part 32 bytes into the record");
        return;
      }
      case kDeinitialise: CHECK_CALL(Call(code, 0, instance) == 0, code, "deinitialise"); return;
      case kInitialise: CHECK_CALL(Call(code, 0, instance) == 0, code, "initialise"); return;
      case kGetNumParameters: CHECK_CALL(Call(code, 0, instance) == kParameterCount, code, "parameter count"); return;
      case kGetParameterName: {
        const uint32_t index = in.Index();
        const auto* name = PointerAt<const char>(Call(code, index, instance));
        CHECK_CALL((name != nullptr) == (index < kParameterCount), code, "a name exactly for each parameter");
        if (name) {
          char field[16];
          std::memcpy(field, name, sizeof field);
        }
        return;
      }
      case kGetParameterDefault: {
        const uint32_t index = in.Index();
        const uint64_t result = Call(code, index, instance);
        if (index >= kParameterCount) CHECK_CALL(result == kStatusFailure, code, "default of no parameter");
        else if (IsTextValuedType(TypeOf(index)))
          CHECK_CALL(*PointerAt<const char>(result) == '\0', code, "empty default text");
        return;
      }
      case kGetPluginCaps: {
        const uint32_t capability = in.Index();
        const bool known = capability == kCapTimeSupported || capability == kCapMinInputs || capability == kCapMaxInputs;
        CHECK_CALL(Call(code, capability, instance) == (known ? 1u : 0u), code, "capability");
        return;
      }
      case kGetParameterType: {
        const uint32_t index = in.Index();
        CHECK_CALL(Call(code, index, instance) == TypeOf(index), code, "type differs from the first reading");
        return;
      }
      case kGetNumParameterElements: {
        const uint32_t index = in.Index();
        const uint64_t count = Call(code, index, instance);
        CHECK_CALL(index < kParameterCount ? count >= 1 && count < 1000 : count == kStatusFailure, code,
                   "element count");
        return;
      }
      case kGetParameterUsage: {
        const uint32_t index = in.Index();
        CHECK_CALL(Call(code, index, instance) == (index < kParameterCount ? 0u : kStatusFailure), code, "usage");
        return;
      }
      case kGetShortName: CHECK_CALL(Call(code, 0, instance) == 0, code, "no short name"); return;
      case kGetParameterElementName:
      case kGetParameterElementValue:
      case kGetFileExtension: {
        ElementRefRecord* ref = nullptr;
        if (in.Present()) ref = Keep(ElementRefRecord{in.Index(), in.Index()});
        const uint64_t result = Call(code, AddressOf(ref), instance);
        if (code == kGetParameterElementName && result != 0) ReadText(PointerAt<const char>(result));
        if (code == kGetFileExtension) CHECK_CALL(result == 0, code, "no parameter has file extensions");
        if (code == kGetParameterElementValue && !ref) CHECK_CALL(result == kStatusFailure, code, "null record");
        return;
      }
      case kGetRange: {
        RangeRecord* range = nullptr;
        if (in.Present()) range = Keep(RangeRecord{in.Index(), in.Float(), in.Float()});
        const uint64_t result = Call(code, AddressOf(range), instance);
        CHECK_CALL(result == (range ? 0u : kStatusFailure), code, "range result");
        if (range && range->paramIndex >= kParameterCount)
          CHECK_CALL(range->minimum == 0.0f && range->maximum == 1.0f, code, "range of no parameter is 0..1");
        return;
      }
      case kGetThumbnail: {
        ThumbnailRecord* thumbnail = nullptr;
        if (in.Present()) thumbnail = Keep(ThumbnailRecord{in.Size(), in.Size(), nullptr});
        CHECK_CALL(Call(code, AddressOf(thumbnail), instance) == kStatusFailure, code, "no thumbnail");
        if (thumbnail) CHECK_CALL(thumbnail->width == 0 && thumbnail->height == 0, code, "thumbnail sizes zeroed");
        return;
      }
      case kGetNumFileExtensions:
        CHECK_CALL(Call(code, in.Index(), instance) == 0, code, "no file extensions");
        return;
      case kGetParameterVisibility: {
        const uint32_t index = in.Index();
        const uint64_t visible = Call(code, index, instance);
        CHECK_CALL(index < kParameterCount ? visible <= 1 : visible == kStatusFailure, code, "visibility");
        return;
      }
      case kInstantiateGL: {
        ViewportRecord* viewport = Viewport();
        if (viewport && (instantiations >= kMaxInstantiations || live.size() >= kMaxLiveInstances)) return;
        const uint64_t made = Call(code, AddressOf(viewport), instance);
        if (!viewport) {
          CHECK_CALL(made == kPointerFailure, code, "instantiation without a viewport");
          return;
        }
        CHECK_CALL(made != kPointerFailure && made != 0, code, "instantiation with a viewport and a context");
        ++instantiations;
        live.push_back(PointerAt<void>(made));
        return;
      }
      default: break;
    }
    if (isInstanceCode) {
      CallInstanceCode(code, instance);
      return;
    }
    // Codes the interface does not have.
    CHECK_CALL(Call(code, in.U64(), instance) == kStatusFailure, code, "an unknown code fails");
  }

  void CallInstanceCode(uint32_t code, void* instance) {
    const uint64_t failure = FailureValueOf(code);
    switch (code) {
      case kGetParameterDisplay: {
        const uint32_t index = in.Index();
        const uint64_t text = Call(code, index, instance);
        if (!instance) {
          CHECK_CALL(text == failure, code, "display without an instance");
        } else {
          CHECK_CALL((text != 0) == (index < kParameterCount) && text != kPointerFailure, code, "display text");
          if (text) ReadText(PointerAt<const char>(text));
        }
        return;
      }
      case kSetParameter: {
        SetParameterRecord* record = nullptr;
        if (in.Present()) {
          SetParameterRecord value{};
          value.index = in.Index();
          if (IsTextValuedType(TypeOf(value.index))) {
            value.value.text = Text();
          } else {
            value.value.bits = in.FloatBits() | (static_cast<uint64_t>(in.Byte()) * 0x0101010100000000u);
          }
          record = Keep(value);
        }
        const uint64_t result = Call(code, AddressOf(record), instance);
        const bool accepted = instance && record && record->index < kParameterCount;
        CHECK_CALL(result == (accepted ? 0u : kStatusFailure), code, "set parameter");
        return;
      }
      case kGetParameter: {
        const uint32_t index = in.Index();
        const uint64_t result = Call(code, index, instance);
        if (!instance) CHECK_CALL(result == failure, code, "get without an instance");
        else if (IsTextValuedType(TypeOf(index))) ReadText(PointerAt<const char>(result));
        return;
      }
      case kGetInputStatus: {
        const uint32_t input = in.Index();
        const uint64_t status = Call(code, input, instance);
        CHECK_CALL(status == (instance && input == 0 ? 1u : kStatusFailure), code, "one input");
        return;
      }
      case kProcessOpenGL: {
        FrameRecord* frame = nullptr;
        bool hasInput = false;
        const uint8_t shape = in.Byte();
        if (shape & 1) {
          TextureRecord** array = nullptr;
          if (shape & 2) {
            auto* entries = Keep(std::array<TextureRecord*, 2>{});
            for (int slot = 0; slot < 2; ++slot) {
              if (!(shape & (0x10 << slot))) continue;
              const uint32_t name = (shape & 0x40) ? 0u : Host().texture->name();
              (*entries)[static_cast<size_t>(slot)] = Keep(TextureRecord{in.Size(), in.Size(), in.Size(), in.Size(), name});
            }
            array = entries->data();
          }
          const uint32_t count = (shape >> 2) & 3;
          frame = Keep(FrameRecord{count, array});
          hasInput = count >= 1 && array && array[0];
        }
        int repeats = (shape & 0x80) ? 1 + in.Byte() : 1;
        for (; repeats > 0 && frames < kMaxFrames; --repeats, ++frames) {
          const uint64_t result = Call(code, AddressOf(frame), instance);
          CHECK_CALL(result == (instance && hasInput ? 0u : kStatusFailure), code,
                     "a frame draws exactly with an input");
        }
        return;
      }
      case kDeInstantiateGL: {
        CHECK_CALL(Call(code, 0, instance) == (instance ? 0u : kStatusFailure), code, "deinstantiate");
        for (size_t i = 0; i < live.size(); ++i) {
          if (live[i] != instance) continue;
          live.erase(live.begin() + static_cast<long>(i));
          break;
        }
        return;
      }
      case kSetTime: {
        double* time = in.Present() ? Keep(in.Time()) : nullptr;
        CHECK_CALL(Call(code, AddressOf(time), instance) == (instance && time ? 0u : kStatusFailure), code, "set time");
        return;
      }
      case kConnect:
      case kDisconnect:
        CHECK_CALL(Call(code, 0, instance) == (instance ? 0u : kStatusFailure), code, "connect and disconnect");
        return;
      case kResize: {
        ViewportRecord* viewport = Viewport();
        CHECK_CALL(Call(code, AddressOf(viewport), instance) == (instance && viewport ? 0u : kStatusFailure), code,
              "resize");
        return;
      }
      case kSetParameterElementValue: {
        SetElementRecord* record = nullptr;
        if (in.Present()) record = Keep(SetElementRecord{in.Index(), in.Index(), in.Float()});
        const uint64_t result = Call(code, AddressOf(record), instance);
        if (!instance || !record) CHECK_CALL(result == kStatusFailure, code, "set element without record or instance");
        return;
      }
      case kSetBeatInfo: {
        BeatRecord* beat = nullptr;
        if (in.Present()) beat = Keep(BeatRecord{in.Float(), in.Float()});
        CHECK_CALL(Call(code, AddressOf(beat), instance) == (instance && beat ? 0u : kStatusFailure), code, "beat");
        return;
      }
      case kSetHostInfo: {
        HostInfoRecord* info = nullptr;
        if (in.Present()) {
          const char* name = Text();
          info = Keep(HostInfoRecord{name, Text()});
        }
        CHECK_CALL(Call(code, AddressOf(info), instance) == (instance && info ? 0u : kStatusFailure), code,
                   "host info");
        return;
      }
      case kSetSampleRate:
        CHECK_CALL(Call(code, in.Index(), instance) == (instance ? 0u : kStatusFailure), code, "sample rate");
        return;
      case kGetParameterEvents: {
        EventListRecord* list = nullptr;
        constexpr uint32_t kArraySize = 16;
        if (in.Present()) {
          const uint8_t shape = in.Byte();
          ParamEventRecord* events = (shape & 1) ? Keep(std::array<ParamEventRecord, kArraySize>{})->data() : nullptr;
          list = Keep(EventListRecord{(shape >> 1) % (kArraySize + 1), events});
        }
        const uint32_t capacity = list ? list->count : 0;
        const uint64_t result = Call(code, AddressOf(list), instance);
        CHECK_CALL(result == (instance && list ? 0u : kStatusFailure), code, "events");
        if (!instance || !list || !list->events) return;
        CHECK_CALL(list->count <= capacity, code, "no more events than the array holds");
        for (uint32_t i = 0; i < list->count; ++i) {
          CHECK_CALL(list->events[i].paramIndex < kParameterCount &&
                         list->events[i].flags == kEventVisibilityChanged,
                     code, "an event is a visibility change of a parameter");
        }
        return;
      }
      default: CHECK_CALL(false, code, "not an instance code");
    }
  }

  Decisions& in;
  std::vector<void*> live;
  std::deque<std::string> texts;
  std::deque<std::vector<unsigned char>> records;
  int instantiations = 0;
  int frames = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  testsupport::checks::AbortOnFailure();
  FuzzHost& host = Host();
  host.documents = new caller::DocumentsFolder;
  CHECK_CALL(host.documents->valid(), 0, host.documents->error());
  std::atexit(RemoveHome);
#if !defined(_WIN32)
  // The driver compiles every instance's two programs; skipping its code optimisation speeds that up a
  // few times and changes nothing in what the module does (under wine the driver reads the Linux side's
  // environment, which the replay's test sets).
  setenv("GALLIVM_PERF", "nopt", 0);
#endif
  SavePreset(0);

  // The context, the host's framebuffer and the input picture live as long as the process.
  host.context = new caller::GlContext;
  CHECK_CALL(host.context->Create(), kInstantiateGL, host.context->error());
  host.target = new caller::RenderTarget(kTargetWidth, kTargetHeight);
  CHECK_CALL(host.target->complete(), kProcessOpenGL, "render target incomplete");
  std::vector<uint8_t> pixels;
  for (int i = 0; i < 8 * 8; ++i) {
    for (uint8_t channel : {uint8_t(i * 4), uint8_t(255 - i * 4), uint8_t(80), uint8_t(255)}) pixels.push_back(channel);
  }
  host.texture = new caller::Texture(8, 8, pixels);

  // The host reads the parameter types once, as it does when it loads a module.
  const uint32_t count = static_cast<uint32_t>(Call(kGetNumParameters, 0, nullptr));
  CHECK_CALL(count == kParameterCount, kGetNumParameters, "unexpected parameter count");
  for (uint32_t i = 0; i < count; ++i) host.types.push_back(static_cast<uint32_t>(Call(kGetParameterType, i, nullptr)));
  Call(kDeinitialise, 0, nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Decisions input(data, size);
  Session(input).Run();
  return 0;
}
