#include "tests/windows/check.h"

#include <cstdio>

namespace wintest {

namespace {
int passed = 0;
int failed = 0;
}  // namespace

bool Record(bool ok, const std::string& what, const char* file, int line) {
  if (ok) {
    ++passed;
  } else {
    ++failed;
    std::printf("FAILED %s:%d: %s\n", file, line, what.c_str());
  }
  return ok;
}

void Group(const char* name) { std::printf("== %s\n", name); }

bool Summarise() {
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0;
}

}  // namespace wintest
