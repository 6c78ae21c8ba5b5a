// Checks for the test programs that are not GoogleTest programs (the Windows test host, the frame host, the
// fuzzers, the picture comparison): counts checks, prints each failure with its place, and ends with the
// "N passed, N failed" line.
#pragma once

#include <sstream>
#include <string>

namespace testsupport::checks {

// Records one check; prints the failed expression or message with its file and line. Returns ok.
bool Record(bool ok, const std::string& what, const char* file, int line);

// Records a comparison and prints both values when they differ.
template <typename A, typename B>
bool RecordEqual(const A& actual, const B& expected, const char* what, const char* file, int line) {
  if (actual == expected) return Record(true, what, file, line);
  std::ostringstream text;
  text << what << " (got " << actual << ", expected " << expected << ")";
  return Record(false, text.str(), file, line);
}

// From now on the first failure ends the process with abort(), as a fuzzer needs a finding to stop it.
void AbortOnFailure();

// Prints the heading of a group of checks.
void Group(const std::string& name);

// Failures recorded so far.
long long Failures();

// Prints "N passed, N failed"; true when nothing failed.
bool Summarise();

}  // namespace testsupport::checks

// Each returns the condition's truth; the message of CHECK_MSG is only built when the check fails.
#define CHECK(condition) ::testsupport::checks::Record((condition), #condition, __FILE__, __LINE__)
#define CHECK_EQ(actual, expected) \
  ::testsupport::checks::RecordEqual((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)
#define CHECK_MSG(condition, what) \
  ((condition) ? ::testsupport::checks::Record(true, std::string(), __FILE__, __LINE__) \
               : ::testsupport::checks::Record(false, (what), __FILE__, __LINE__))
