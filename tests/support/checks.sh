# Checks for the test scripts, reported as tests/support/checks.h reports them in programs: each failure on a
# "FAILED" line, and at the end the "N passed, N failed" line. Source it, then call check_pass, check_fail and,
# last, check_summary (which returns non-zero when a check failed).
check_passed=0
check_failed=0

# check_pass: records a check that held.
check_pass() { check_passed=$((check_passed + 1)); }

# check_fail MESSAGE...: records a check that failed and prints why.
check_fail() {
  check_failed=$((check_failed + 1))
  echo "FAILED $*"
}

# check_summary: prints the counts; fails when a check failed.
check_summary() {
  echo "$check_passed passed, $check_failed failed"
  ((check_failed == 0))
}
