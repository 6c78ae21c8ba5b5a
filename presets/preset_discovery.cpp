#include "presets/preset_discovery.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <juce_core/juce_core.h>

#include "presets/preset_reader.h"

namespace {

juce::File ResolveFolder(const std::string& path) {
  return juce::File::getCurrentWorkingDirectory().getChildFile(juce::String::fromUTF8(path.c_str()));
}

juce::File AdvancedOutputFolder(const juce::File& hostFolder) {
  return hostFolder.getChildFile("Presets").getChildFile("Advanced Output");
}

// The folder found by an earlier refresh of the same documents folder, while it still exists.
std::string RememberedPresetFolder(const PresetImportMemory& memory, const std::string& documentsFolder) {
  if (memory.presetFolder.empty() || memory.documentsFolder != documentsFolder) return {};
  return ResolveFolder(memory.presetFolder).isDirectory() ? memory.presetFolder : std::string();
}

}  // namespace

std::string FindPresetFolder(const std::string& documentsFolder) {
  juce::File documents = ResolveFolder(documentsFolder);
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
  juce::File directory = ResolveFolder(folder);
  if (folder.empty() || !directory.isDirectory()) return {};
  bool found = false;
  int64_t newestTime = 0;
  int32_t newestIndex = 0;
  std::string newestPath;
  int32_t index = 0;
  for (const auto& entry : juce::RangedDirectoryIterator(directory, false, juce::String::fromUTF8(pattern.c_str()),
                                                         juce::File::findFiles)) {
    int64_t time = entry.getModificationTime().toMilliseconds();
    if (!found || time > newestTime) {
      found = true;
      newestTime = time;
      newestIndex = index;
      newestPath = entry.getFile().getFullPathName().toStdString();
    }
    ++index;
  }
  if (!found) return {};
  setup.newestTime = newestTime;
  setup.newestIndex = newestIndex;
  return newestPath;
}

void RefreshPresetIn(OutputSetup& setup, const std::string& documentsFolder) {
  PresetImportMemory& memory = setup.memory;
  std::string folder = RememberedPresetFolder(memory, documentsFolder);
  if (folder.empty()) {
    folder = FindPresetFolder(documentsFolder);
    memory.documentsFolder = documentsFolder;
    memory.presetFolder = folder;
  }
  if (folder.empty()) {
    setup.readStatus = {ReadOutcome::NoPresetFolder, "", "searched " + documentsFolder};
    return;
  }
  ReadPreset(setup, FindNewestPreset(setup, folder, "*.xml"));
}

void RefreshPreset(OutputSetup& setup) {
  juce::File documents = juce::File::getSpecialLocation(juce::File::userDocumentsDirectory);
  RefreshPresetIn(setup, documents.getFullPathName().toStdString());
}
