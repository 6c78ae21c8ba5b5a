#include "tests/support/replaceable_program_sources.h"

namespace test {
const EffectSources* replacedProgramSources = nullptr;
}  // namespace test

EffectSources ProgramSources() {
  return test::replacedProgramSources ? *test::replacedProgramSources : StoredSources();
}
