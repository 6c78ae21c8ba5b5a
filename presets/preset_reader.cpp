#include "presets/preset_reader.h"

#include <juce_core/juce_core.h>

#include "presets/content_hash.h"
#include "presets/preset_document.h"
#include "presets/slice_walk.h"

void ReadPreset(OutputSetup& setup, const std::string& file) {
  if (setup.firstLoad) {
    setup.loadedTime = setup.newestTime;
    setup.firstLoad = false;
  }
  if (setup.loadedTime == setup.newestTime && !setup.slices.empty()) {
    setup.readStatus = {ReadOutcome::Unchanged, file, ""};
    return;
  }
  if (file.empty()) {
    setup.readStatus = {ReadOutcome::NoFile, file, ""};
    return;
  }
  juce::File preset = FileAtPath(file);
  if (!preset.existsAsFile()) {
    setup.readStatus = {ReadOutcome::NoFile, file, ""};
    return;
  }

  PresetImportMemory& memory = setup.memory;
  int64_t writeTime = preset.getLastModificationTime().toMilliseconds();
  if (memory.refusal.file == file && memory.refusedTime == writeTime && IsRefusal(memory.refusal.outcome)) {
    setup.readStatus = memory.refusal;
    setup.readStatus.detail += "; not read again until it changes";
    return;
  }

  PresetFileBytes read = ReadPresetFile(preset);
  if (read.outcome != ReadOutcome::Read) {
    setup.readStatus = {read.outcome, file, read.detail};
    if (IsRefusal(read.outcome)) {
      memory.refusal = setup.readStatus;
      memory.refusedTime = writeTime;
    }
    return;
  }
  // The same bytes as those the list was read from would give the same list.
  const uint64_t hash = HashBytes(read.bytes.buffer.get(), read.bytes.size);
  const size_t size = read.bytes.size;
  if (memory.hasReadBytes && memory.readHash == hash && memory.readSize == size) {
    setup.loadedTime = setup.newestTime;
    setup.readStatus = {ReadOutcome::Read, file, "the bytes of the last read, not parsed again"};
    return;
  }

  LoadedDocument document = ParsePresetBytes(std::move(read.bytes));
  if (!document.root) {
    setup.readStatus = {document.outcome, file, document.detail};
    if (IsRefusal(document.outcome)) {
      memory.refusal = setup.readStatus;
      memory.refusedTime = writeTime;
    }
    return;
  }
  setup.slices = CollectSlices(*document.root);
  setup.loadedTime = setup.newestTime;
  setup.readStatus = {ReadOutcome::Read, file, ""};
  memory.hasReadBytes = true;
  memory.readHash = hash;
  memory.readSize = size;
}
