// Shared between the test-only module and the tests: switches that steer the test effect, and its call log.
#pragma once

#include <cstdint>

struct TestEffectControl {
  bool factoryFails;          // the factory returns failure
  bool factoryThrows;         // the factory throws std::bad_alloc
  bool initGLFails;           // InitGL returns failure (after making its GL program)
  bool initGLThrows;          // InitGL throws std::bad_alloc after making its GL program
  bool setFloatFailsAtIndex;  // SetFloatParameter fails for failIndex
  uint32_t failIndex;
  int32_t liveInstances;      // constructed minus destroyed
  char log[8192];             // calls, one "Name;" each, of every instance (the prototype's construction included)
};

// Exported by the test module only; module-owned, lives until unload.
extern "C" TestEffectControl* testEffectControl();
