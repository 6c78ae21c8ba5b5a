// A small check harness for the Windows test host (no test framework is cross-built): counts checks,
// prints each failure with its place, and ends with the "N passed, N failed" line.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>

namespace wintest {

// Records one check; prints the failed expression with its file and line.
bool Record(bool ok, const std::string& what, const char* file, int line);

// Records a comparison and prints both values when they differ.
template <typename A, typename B>
bool RecordEqual(const A& actual, const B& expected, const char* what, const char* file, int line) {
  const bool ok = actual == expected;
  if (ok) return Record(true, what, file, line);
  std::ostringstream text;
  text << what << " (got " << actual << ", expected " << expected << ")";
  return Record(false, text.str(), file, line);
}

// Prints the heading of a group of checks.
void Group(const char* name);

// Prints "N passed, N failed"; true when nothing failed.
bool Summarise();

}  // namespace wintest

#define WIN_CHECK(condition) ::wintest::Record((condition), #condition, __FILE__, __LINE__)
#define WIN_CHECK_EQ(actual, expected) \
  ::wintest::RecordEqual((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)
