// The groups of checks of the Windows test host.
#pragma once

#include <string>

#include "tools/caller/plugin_calls.h"

namespace wintest {

// The GL function resolver: missing values from wglGetProcAddress fall back to opengl32.dll's exports.
void CheckProcResolver();

// The DLL's version resource: product name, description and version 1.0.
void CheckVersionResource(const std::wstring& dllPath);

// Writes the two-slice preset into <Documents>\Host\Presets\Advanced Output (the folder the shell reports);
// false on failure.
bool PlaceTwoSlicePreset();

// Everything a host sees through plugMain without a GL context.
void CheckModuleThroughPlugMain(const caller::PluginCalls& module);

}  // namespace wintest
