// Places the test preset where the host keeps its Advanced Output presets: under the shell's Documents folder.
#include "tests/windows/windows_checks.h"
#include "tools/caller/documents_folder.h"
#include "two_slices_preset.h"  // generated from tests/data/presets/two_slices.xml

namespace wintest {

bool PlaceTwoSlicePreset() {
  const caller::DocumentsFolder documents;
  return documents.valid() &&
         !documents.WritePreset("Host", "mapping.xml", kTwoSlicePreset, 1700000000000).empty();
}

}  // namespace wintest
