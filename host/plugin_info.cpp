#include "host/plugin_info.h"

#include "host/module_binding.h"

void CopyBoundedField(char* field, size_t width, const char* source) {
  for (size_t i = 0; i < width; ++i) {
    field[i] = source[i];
    if (source[i] == '\0') break;
  }
}

void FillPluginInfo(PluginInfoRecord& record, const char* uniqueId, const char* name, uint32_t type,
                    uint32_t majorVersion, uint32_t minorVersion, const char* description, const char* about,
                    PluginFactory factory) {
  record.layout = PluginInfoLayout{};
  record.layout.apiMajorVersion = 2;
  record.layout.apiMinorVersion = 1;
  CopyBoundedField(record.layout.uniqueId, sizeof record.layout.uniqueId, uniqueId);
  CopyBoundedField(record.layout.pluginName, sizeof record.layout.pluginName, name);
  record.layout.pluginType = type;
  record.layout.pluginMajorVersion = majorVersion;
  record.layout.pluginMinorVersion = minorVersion;
  record.descriptionStorage = description;
  record.aboutStorage = about;
  record.layout.description = record.descriptionStorage.c_str();
  record.layout.about = record.aboutStorage.c_str();
  record.factory = factory;
}

namespace {

PluginInfoRecord& BuildModuleRecord() {
  static PluginInfoRecord record;
  const ModuleIdentity& id = ModuleIdentityOfThisModule();
  FillPluginInfo(record, id.uniqueId, id.name, id.type, id.majorVersion, id.minorVersion, id.description, id.about,
                 &CreateModuleInstance);
  return record;
}

PluginInfoRecord* const moduleInfo = &BuildModuleRecord();

}  // namespace

PluginInfoRecord* ModulePluginInfo() { return moduleInfo; }
