#include "tests/support/checks.h"

#include <cstdio>
#include <cstdlib>

namespace checks {

namespace {
int passed = 0;
int failed = 0;
bool abortOnFailure = false;
}  // namespace

bool Record(bool ok, const std::string& what, const char* file, int line) {
  if (ok) {
    ++passed;
    return true;
  }
  ++failed;
  std::printf("FAILED %s:%d: %s\n", file, line, what.c_str());
  std::fflush(stdout);
  if (abortOnFailure) std::abort();
  return false;
}

void AbortOnFailure() { abortOnFailure = true; }

void Group(const std::string& name) { std::printf("== %s\n", name.c_str()); }

int Failures() { return failed; }

bool Summarise() {
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0;
}

}  // namespace checks
