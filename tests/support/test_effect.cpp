// A small effect for the test-only module: registers parameters of every kind and logs the calls it gets.
#include <cstring>
#include <new>
#include <string>

#include "glsupport/gl.h"
#include "glsupport/gl_loader.h"
#include "host/host_plugin.h"
#include "host/module_binding.h"
#include "tests/support/test_effect_control.h"

namespace {

TestEffectControl control{};

void Log(const char* what) {
  size_t used = std::strlen(control.log);
  size_t room = sizeof control.log - used - 1;
  std::strncat(control.log, what, room);
  std::strncat(control.log, ";", room > std::strlen(what) ? room - std::strlen(what) : 0);
}

class TestEffect : public CHostPlugin {
 public:
  TestEffect() {
    ++control.liveInstances;
    Log("Construct");
    SetParamInfo(0, "Standard", kTypeStandard, 1.5f);
    SetParamInfo(1, "Integer", kTypeInteger, 1920.0f);
    SetOptionParamInfo(2, "UV", {"Clamp", "Repeat", "Unfold", "Quad"}, 2.0f);
    SetParamInfo(3, "Name", kTypeText, 0.0f);
    SetParamInfo(4, "Global Position", kTypeBoolean, 1.0f);
    SetParamInfo(5, "A Name Of 20 Chars!!", kTypeStandard, -0.2f);
    SetParamRange(1, -16384.0f, 16384.0f);
    minInputs = 1;
    maxInputs = 1;
  }
  ~TestEffect() override {
    --control.liveInstances;
    Log("Destroy");
  }
  uint32_t InitGL(const ViewportRecord* vp) override {
    Log("InitGL");
    program = glCreateProgram();
    if (control.initGLThrows) throw std::bad_alloc();
    if (control.initGLFails) return kStatusFailure;
    return CHostPlugin::InitGL(vp);
  }
  uint32_t DeInitGL() override {
    Log("DeInitGL");
    glDeleteProgram(program);
    program = 0;
    return kStatusSuccess;
  }
  uint32_t SetFloatParameter(uint32_t index, float value) override {
    Log(("SetFloat" + std::to_string(index)).c_str());
    if (control.setFloatFailsAtIndex && index == control.failIndex) return kStatusFailure;
    if (index >= 6) return kStatusFailure;
    values[index] = value;
    if (index == 4) {
      SetParamVisibility(5, value != 0.0f, true);
      SetParamVisibility(0, value != 0.0f, true);
    }
    return kStatusSuccess;
  }
  float GetFloatParameter(uint32_t index) override { return index < 6 ? values[index] : 0.0f; }
  uint32_t SetTextParameter(uint32_t index, const char* text) override {
    Log(("SetText" + std::to_string(index)).c_str());
    if (index != 3) return kStatusFailure;
    name = text ? text : "";
    return kStatusSuccess;
  }
  const char* GetTextParameter(uint32_t index) override { return index == 3 ? name.c_str() : ""; }
  uint32_t ProcessOpenGL(const FrameRecord*) override {
    Log("ProcessOpenGL");
    return kStatusSuccess;
  }
  uint32_t Connect() override {
    Log("Connect");
    return kStatusSuccess;
  }
  uint32_t Disconnect() override {
    Log("Disconnect");
    return kStatusSuccess;
  }

 private:
  GLuint program = 0;
  float values[6] = {};
  std::string name = "constructed";
};

constexpr ModuleIdentity identity{"QT01", "Test Effect Name Longer", 0, 1, 0, "test description", "test about"};

}  // namespace

extern "C" __attribute__((visibility("default"))) TestEffectControl* testEffectControl() { return &control; }

const ModuleIdentity& ModuleIdentityOfThisModule() { return identity; }

uint32_t CreateModuleInstance(CHostPlugin** slot) {
  if (control.factoryFails) return kStatusFailure;
  if (control.factoryThrows) throw std::bad_alloc();
  *slot = new TestEffect();
  return kStatusSuccess;
}

bool IsGLContextCurrent() { return glsupport::HasCurrentContext(); }
bool LoadGLEntryPoints() { return glsupport::LoadEntryPoints(); }
