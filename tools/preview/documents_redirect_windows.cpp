// The documents folder on Windows: the module asks the shell (SHGetSpecialFolderPathW) at every read. While a
// redirect lives, that import of the loaded module is answered with the chosen folder; every other question
// goes to the shell.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <system_error>

#include "tools/preview/documents_redirect.h"

namespace preview {

namespace fs = std::filesystem;

namespace {

using SpecialFolderPath = BOOL(WINAPI*)(HWND, LPWSTR, int, BOOL);

SpecialFolderPath shellSpecialFolderPath = nullptr;
std::wstring redirectedDocuments;  // empty while no redirect lives

BOOL WINAPI RedirectedSpecialFolderPath(HWND owner, LPWSTR path, int folder, BOOL create) {
  if ((folder & 0xff) == CSIDL_PERSONAL && !redirectedDocuments.empty() && redirectedDocuments.size() < MAX_PATH) {
    std::wmemcpy(path, redirectedDocuments.c_str(), redirectedDocuments.size() + 1);
    return TRUE;
  }
  return shellSpecialFolderPath(owner, path, folder, create);
}

// The module's import address slot of function from library; null when it does not import it by name.
void** ImportSlot(HMODULE module, const char* library, const char* function) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
       ++entry) {
    if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
        return reinterpret_cast<void**>(&slots->u1.Function);
    }
  }
  return nullptr;
}

bool Replace(void** slot, void* replacement) {
  DWORD protection = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) return false;
  *slot = replacement;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return true;
}

}  // namespace

CommandStatus DocumentsRedirect::PointAt(const fs::path& folder) {
  if (folder.native().size() >= MAX_PATH)
    return CommandStatus::Fail(kExitBadRequest, "documents folder " + folder.u8string() + " has too long a path");
  documentsPath = folder;
  redirectedDocuments = folder.native();
  return CommandStatus::Ok();
}

CommandStatus DocumentsRedirect::AttachTo(const caller::PluginModule& module) {
  if (documentsPath.empty()) return CommandStatus::Ok();
  void** slot = ImportSlot(static_cast<HMODULE>(module.nativeHandle()), "shell32.dll", "SHGetSpecialFolderPathW");
  if (!slot)
    return CommandStatus::Fail(kExitModule, "the module does not ask the shell for the documents folder; "
                                            "--documents and --preset cannot reach it");
  if (*slot == reinterpret_cast<void*>(&RedirectedSpecialFolderPath)) return CommandStatus::Ok();
  shellSpecialFolderPath = reinterpret_cast<SpecialFolderPath>(*slot);
  if (!Replace(slot, reinterpret_cast<void*>(&RedirectedSpecialFolderPath)))
    return CommandStatus::Fail(kExitModule, "cannot redirect the module's documents folder");
  return CommandStatus::Ok();
}

void DocumentsRedirect::Restore() {
  redirectedDocuments.clear();
  documentsPath.clear();
  scratch.reset();
}

}  // namespace preview
