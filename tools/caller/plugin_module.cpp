#include "tools/caller/plugin_module.h"

#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace caller {

namespace {
#if defined(_WIN32)
// The system's text for an error code, without its line end.
std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length && text ? std::string(text, length) : "unknown error";
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}
#endif
}  // namespace

bool PluginModule::Unload() {
  if (!handle) return true;
#if defined(_WIN32)
  const bool unloaded = FreeLibrary(static_cast<HMODULE>(handle)) != 0;
#else
  const bool unloaded = dlclose(handle) == 0;
#endif
  handle = nullptr;
  entry = nullptr;
  return unloaded;
}

void* PluginModule::Symbol(const char* name) const {
  if (!handle) return nullptr;
#if defined(_WIN32)
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
#else
  return dlsym(handle, name);
#endif
}

bool PluginModule::Load(const std::string& path) {
#if defined(_WIN32)
  // Paths are UTF-8 text on every platform; Windows opens them by their UTF-16 form.
  HMODULE module = LoadLibraryW(std::filesystem::u8path(path).c_str());
  if (!module) {
    const DWORD code = GetLastError();
    lastError = "cannot load " + path + ": " + SystemMessage(code) + " (error " + std::to_string(code) + ")";
    return false;
  }
  handle = module;
  entry = reinterpret_cast<PlugMainFunction>(reinterpret_cast<void*>(GetProcAddress(module, "plugMain")));
#else
  handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    lastError = "cannot load " + path + ": " + (why ? why : "unknown error");
    return false;
  }
  entry = reinterpret_cast<PlugMainFunction>(dlsym(handle, "plugMain"));
#endif
  if (!entry) lastError = path + " has no plugMain export";
  return entry != nullptr;
}

}  // namespace caller
