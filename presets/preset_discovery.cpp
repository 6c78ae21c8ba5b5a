#include "presets/preset_discovery.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <juce_core/juce_core.h>

#include "presets/preset_document.h"
#include "presets/preset_reader.h"

namespace {

juce::File AdvancedOutputFolder(const juce::File& hostFolder) {
  return hostFolder.getChildFile("Presets").getChildFile("Advanced Output");
}

// Reads the newest preset of the folder found before. False, doing nothing, when that folder no
// longer exists; it is checked only when it lists no preset, so that a refresh costs one listing.
bool ReadFromRememberedFolder(OutputSetup& setup) {
  const std::string& folder = setup.memory.presetFolder;
  if (folder.empty()) return false;
  std::string newest = FindNewestPreset(setup, folder, "*.xml");
  if (newest.empty() && !FileAtPath(folder).isDirectory()) return false;
  ReadPreset(setup, newest);
  return true;
}

// Searches the documents folder for the preset folder, remembers it and reads its newest preset.
void SearchAndRead(OutputSetup& setup, const std::string& documentsFolder) {
  PresetImportMemory& memory = setup.memory;
  memory.documentsFolder = documentsFolder;
  memory.presetFolder = FindPresetFolder(documentsFolder);
  if (memory.presetFolder.empty()) {
    setup.readStatus = {ReadOutcome::NoPresetFolder, "", "searched " + documentsFolder};
    return;
  }
  ReadPreset(setup, FindNewestPreset(setup, memory.presetFolder, "*.xml"));
}

}  // namespace

std::string FindPresetFolder(const std::string& documentsFolder) {
  juce::File documents = FileAtPath(documentsFolder);
  if (documentsFolder.empty() || !documents.isDirectory()) return {};
  std::vector<std::pair<std::string, juce::File>> subfolders;
  for (const auto& entry : juce::RangedDirectoryIterator(documents, false, "*", juce::File::findDirectories))
    subfolders.emplace_back(entry.getFile().getFileName().toStdString(), entry.getFile());
  // std::string orders by unsigned bytes: case-sensitive, independent of the platform's file order.
  std::sort(subfolders.begin(), subfolders.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& subfolder : subfolders) {
    juce::File presets = AdvancedOutputFolder(subfolder.second);
    if (presets.isDirectory()) return presets.getFullPathName().toStdString();
  }
  return {};
}

std::string FindNewestPreset(OutputSetup& setup, const std::string& folder, const std::string& pattern) {
  if (folder.empty()) return {};
  juce::File directory = FileAtPath(folder);
  bool found = false;
  int64_t newestTime = 0;
  int32_t newestIndex = 0;
  std::string newestPath;
  int32_t index = 0;
  // The older iterator is asked for the last-write time alone; the ranged one would also ask,
  // with one more system call per file, whether the file is writable.
  JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE("-Wdeprecated-declarations")
  JUCE_BEGIN_IGNORE_WARNINGS_MSVC(4996)
  juce::DirectoryIterator files(directory, false, juce::String::fromUTF8(pattern.c_str()), juce::File::findFiles);
  juce::Time modified;
  while (files.next(nullptr, nullptr, nullptr, &modified, nullptr, nullptr)) {
    int64_t time = modified.toMilliseconds();
    if (!found || time > newestTime) {
      found = true;
      newestTime = time;
      newestIndex = index;
      newestPath = files.getFile().getFullPathName().toStdString();
    }
    ++index;
  }
  JUCE_END_IGNORE_WARNINGS_MSVC
  JUCE_END_IGNORE_WARNINGS_GCC_LIKE
  if (!found) return {};
  setup.newestTime = newestTime;
  setup.newestIndex = newestIndex;
  return newestPath;
}

void RefreshPresetIn(OutputSetup& setup, const std::string& documentsFolder) {
  if (setup.memory.documentsFolder == documentsFolder && ReadFromRememberedFolder(setup)) return;
  SearchAndRead(setup, documentsFolder);
}

void RefreshPreset(OutputSetup& setup) {
  // While the folder found before exists, the documents folder is not looked up again.
  if (ReadFromRememberedFolder(setup)) return;
  juce::File documents = juce::File::getSpecialLocation(juce::File::userDocumentsDirectory);
  SearchAndRead(setup, documents.getFullPathName().toStdString());
}
