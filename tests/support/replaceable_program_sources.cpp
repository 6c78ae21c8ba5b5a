#include "tests/support/replaceable_program_sources.h"

namespace testsupport {
const EffectSources* replacedProgramSources = nullptr;
}  // namespace testsupport

EffectSources ProgramSources() {
  return testsupport::replacedProgramSources ? *testsupport::replacedProgramSources : StoredSources();
}
