#!/usr/bin/env bash
# The Windows DLL and the built-in GL loader that it ships with:
#   1. cross-builds Mosaro2.dll, mosaro-preview.exe, the test suite and the Windows test hosts with mingw-w64
#      (build-win), checks the DLL's exports, imports, size and debug file and the program's imports, and runs
#      under wine64 on a virtual display the whole suite, the reload test and the host-call fuzzer's seeds through
#      the DLL (in one wine session, booted once), and the test host (in a prefix of its own);
#   2. compares the Windows suite's cases with the Linux build's (build/); draws a table of scenes with the DLL
#      under wine on a virtual display (a real WGL context from Mesa) and with the Linux module (build/), and
#      compares the pictures; runs mosaro-preview.exe against the Linux mosaro-preview the same way;
#   3. builds the product on Linux with the built-in GL loader (build-loader) and runs the tests with it.
# Expects the packages of scripts/setup.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win_dir=${MOSARO_WIN_BUILD_DIR:-$root/build-win}
loader_dir=${MOSARO_LOADER_BUILD_DIR:-$root/build-loader}
linux_dir=${MOSARO_LINUX_BUILD_DIR:-$root/build}

start=$SECONDS
# step TEXT: names the step that starts now, with the seconds since this script began.
step() { echo "== [$((SECONDS - start)) s] $*"; }

step "build (Windows DLL, mingw-w64)"
"$root/scripts/build.sh" "$win_dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MingwW64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOSARO_BUILTIN_GL_LOADER=ON
"$root/scripts/build.sh" "$linux_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo

# The programs under wine leave much of the machine idle: the loader build runs beside them, its output kept.
step "build (built-in GL loader, Linux), beside what runs under wine"
loader_log=$(mktemp)
# In a process group of its own, so that a step failing here stops the whole build with it.
setsid "$root/scripts/build.sh" "$loader_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOSARO_BUILTIN_GL_LOADER=ON \
  -DMOSARO_BENCH=OFF >"$loader_log" 2>&1 &
loader_build=$!
trap 'kill -- -"$loader_build" 2>/dev/null || true; rm -f "$loader_log"' EXIT

step "Windows DLL: exports, imports, size, debug file; the suite, the reload test, the seeds and the test host under wine"
ctest --test-dir "$win_dir" --output-on-failure -j "$(nproc)"
step "the Windows suite holds every Linux case but those docs/testing.md names"
bash "$root/tests/windows/compare_cases.sh" "$linux_dir" "$win_dir"
step "frames: the DLL under wine on WGL against the Linux module"
bash "$root/tests/frames/compare_builds.sh" "$linux_dir" "$win_dir"
step "mosaro-preview.exe under wine against the Linux mosaro-preview"
bash "$root/tests/windows/preview_checks.sh" "$linux_dir" "$win_dir"

step "the loader build's end"
status=0
wait "$loader_build" || status=$?
tail -n 3 "$loader_log"
if ((status != 0)); then
  cat "$loader_log"
  exit "$status"
fi
step "tests with the built-in loader"
ctest --test-dir "$loader_dir" --output-on-failure -j "$(nproc)"
