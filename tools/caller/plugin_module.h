// A host of our own: loads a plugin module with the platform's loader and calls it through plugMain alone.
#pragma once

#include <string>

#include "tools/caller/plugin_calls.h"

namespace caller {

// A loaded module; unloads it on destruction (after the caller has ended every instance).
class PluginModule : public PluginCalls {
 public:
  PluginModule() = default;
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;
  ~PluginModule() { Unload(); }

  // Loads the module and resolves plugMain; false with error() set on failure.
  bool Load(const std::string& path);
  // Unloads the module (after the caller has ended every instance); false when the platform refuses.
  bool Unload();
  bool loaded() const { return entry != nullptr; }
  const std::string& error() const { return lastError; }
  // The address of another export of the loaded module (name read during the call); null when it has none.
  void* Symbol(const char* name) const;
  // The platform's handle of the loaded module (dlopen's handle or the HMODULE); null while none is loaded.
  void* nativeHandle() const { return handle; }

 private:
  void* handle = nullptr;
  std::string lastError;
};

}  // namespace caller
