// What each module defines beside its effect: its identity, its factory and its GL entry-point loader.
#pragma once

#include <cstdint>

class CHostPlugin;

// The texts and numbers of a module's information record; static storage.
struct ModuleIdentity {
  const char* uniqueId;
  const char* name;
  uint32_t type;
  uint32_t majorVersion;
  uint32_t minorVersion;
  const char* description;
  const char* about;
};

// The module's identity, defined by the module's binding.
const ModuleIdentity& ModuleIdentityOfThisModule();

// Constructs a new effect instance into *slot; 0, or failure with the slot unchanged. May throw.
uint32_t CreateModuleInstance(CHostPlugin** slot);

// True when a GL context is current on this thread (never loads or calls GL).
bool IsGLContextCurrent();

// Resolves the GL entry points with the current context; true for GL 4.1 or later.
bool LoadGLEntryPoints();
