#include "tests/support/checks.h"

#include <cstdio>
#include <cstdlib>

namespace testsupport::checks {

namespace {
// Wide enough for a fuzzer's campaign of many hours.
long long passed = 0;
long long failed = 0;
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

long long Failures() { return failed; }

bool Summarise() {
  std::printf("%lld passed, %lld failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0;
}

}  // namespace testsupport::checks
