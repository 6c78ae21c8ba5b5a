// The groups of checks of the Windows test host.
#pragma once

#include <string>

#include "host/plugin_abi.h"

namespace wintest {

// The GL function resolver: missing values from wglGetProcAddress fall back to opengl32.dll's exports.
void CheckProcResolver();

// The DLL's version resource: product name, description and version 1.0.
void CheckVersionResource(const std::wstring& dllPath);

// Writes a two-slice preset into <Documents>\Host\Presets\Advanced Output (the folder the shell reports);
// returns the Documents folder, empty on failure.
std::wstring PlaceTwoSlicePreset();

// Everything a host sees through plugMain without a GL context.
void CheckModuleThroughPlugMain(PlugMainFunction plugMain);

}  // namespace wintest
