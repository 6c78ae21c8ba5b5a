#!/usr/bin/env bash
# test.sh: sets up, builds and runs every test: under ASan and UBSan (shuffled), the Windows DLL and preview
# tool (cross-built, run under wine and compared with the Linux build), the built-in GL loader build, the
# reproducible release, valgrind and the fuzzers, and last the tests as built.
# test.sh --quick: sets up, builds build/ and runs the suite there once (no sanitizers, no wine, no release,
# no fuzzing), for the edit-compile-test loop, and says how long that took.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
quick=false
case ${1:-} in
  --quick) quick=true ;;
  "") ;;
  *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac
if $quick; then "$root/scripts/setup.sh" --quick; else "$root/scripts/setup.sh"; fi
jobs=$(nproc)
start=$SECONDS
# step TEXT: names the step that starts now, with the seconds since the run began.
step() { echo "== [$((SECONDS - start)) s] $*"; }

if $quick; then
  step "build (RelWithDebInfo)"
  "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  step "tests"
  ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
  echo "test.sh --quick: built and passed in $((SECONDS - start)) s"
  exit 0
fi

step "build (RelWithDebInfo)"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
step "build (AddressSanitizer + UndefinedBehaviorSanitizer)"
"$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DMOSARO_SANITIZE=ON -DMOSARO_BENCH=OFF

# This pass runs each test binary's tests shuffled (as --gtest_shuffle does), so that no test leans on another.
seed=$((RANDOM % 99999 + 1))
step "tests under sanitizers, shuffled (GTEST_RANDOM_SEED=$seed)"
GTEST_SHUFFLE=1 GTEST_RANDOM_SEED=$seed UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"
step "Windows DLL and preview tool under wine, and the built-in GL loader"
"$root/scripts/windows.sh"
step "the release, twice"
"$root/scripts/release-check.sh"
step "hardening: valgrind and fuzzing"
"$root/scripts/hardening.sh" "$root/build"
step "tests"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
echo "test.sh: passed in $((SECONDS - start)) s"
