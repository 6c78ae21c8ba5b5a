// The module's information record and its factory.
#pragma once

#include <cstdint>
#include <string>

#include "host/plugin_abi.h"

class CHostPlugin;

// Constructs a new instance into *slot (module-owned until code 2 or 19, or until code 18 fails); 0, or failure
// with the slot unchanged.
using PluginFactory = uint32_t (*)(CHostPlugin** slot);

// The host-visible layout followed by the storage of its texts and the factory.
struct PluginInfoRecord {
  PluginInfoLayout layout{};
  std::string descriptionStorage;
  std::string aboutStorage;
  PluginFactory factory = nullptr;
};

// Fills the layout: bounded copies of id (4) and name (16), texts copied into the record's storage.
void FillPluginInfo(PluginInfoRecord& record, const char* uniqueId, const char* name, uint32_t type,
                    uint32_t majorVersion, uint32_t minorVersion, const char* description, const char* about,
                    PluginFactory factory);

// Copies characters up to and including the terminator, or until the field is full.
void CopyBoundedField(char* field, size_t width, const char* source);

// The module-wide record, complete once the module is loaded; lives until unload.
PluginInfoRecord* ModulePluginInfo();
