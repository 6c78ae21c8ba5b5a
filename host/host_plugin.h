// The base class of every plugin instance, the prototype included.
#pragma once

#include <cstdint>
#include <string>

#include "host/param_registry.h"
#include "host/plugin_abi.h"

class CHostPlugin : public CHostPluginManager {
 public:
  CHostPlugin() = default;
  ~CHostPlugin() override;

  // Copies the viewport; returns 0.
  virtual uint32_t InitGL(const ViewportRecord* viewport);
  // Returns 0.
  virtual uint32_t DeInitGL();
  // Base: null for no entry or type -1; a text parameter's own text (GetTextParameter's answer, the failure
  // pointer included); else the "%f" text in the module's display buffer, valid until the next display call.
  virtual const char* GetParameterDisplay(uint32_t index);
  // Base: failure.
  virtual uint32_t SetFloatParameter(uint32_t index, float value);
  // Base: failure. The text is host-owned and read during the call only.
  virtual uint32_t SetTextParameter(uint32_t index, const char* text);
  // Base: 0.0.
  virtual float GetFloatParameter(uint32_t index);
  // Base: the failure value as a pointer (all bits set). Overrides: instance-owned text, valid until the next set.
  virtual const char* GetTextParameter(uint32_t index);
  // Base: failure. The record is host-owned, valid during the call.
  virtual uint32_t ProcessOpenGL(const FrameRecord* frame);
  // Stores the host's time; returns 0.
  virtual uint32_t SetTime(double time);
  // Stores tempo and bar phase.
  virtual void SetBeatInfo(float newBpm, float newBarPhase);
  // Copies both texts (host-owned, read during the call; null counts as empty).
  virtual void SetHostInfo(const char* name, const char* version);
  // Stores the sample rate.
  virtual void SetSampleRate(uint32_t rate);
  // 1 for an input index below maxInputs, else failure.
  virtual uint32_t GetInputStatus(uint32_t inputIndex);
  // Base: null.
  virtual const char* GetShortName();
  // Base: 0.
  virtual uint32_t Connect();
  // Base: 0.
  virtual uint32_t Disconnect();
  // Copies the viewport; returns 0.
  virtual uint32_t Resize(const ViewportRecord* newViewport);

  int32_t minInputs = 0;
  int32_t maxInputs = 0;
  bool timeSupported = true;
  bool connected = false;
  CHostPlugin* owner = nullptr;  // not owned; the instance itself once instantiated (null: the display uses this)
  ViewportRecord viewport{};
  float bpm = 120.0f;
  float barPhase = 0.0f;
  std::string hostName;
  std::string hostVersion;
  double hostTime = 0.0;
  uint32_t sampleRate = 0;
};

// Formats value with "%f" into the module-wide display buffer (17 bytes: at most 16 characters and a
// terminator) and returns the buffer, valid until the next display call on any instance.
const char* FormatModuleDisplay(float value);
