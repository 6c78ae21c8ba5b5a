#!/usr/bin/env bash
# The Windows DLL and the built-in GL loader that it ships with:
#   1. cross-builds Mosaro2.dll, mosaro-preview.exe, the test suite and the Windows test hosts with mingw-w64
#      (build-win), checks the DLL's exports, imports, size and debug file and the program's imports, and runs
#      under wine64 (each program in a prefix of its own, on a virtual display) the whole suite, the reload test,
#      the host-call fuzzer's seeds through the DLL and the test host;
#   2. compares the Windows suite's cases with the Linux build's (build/); draws a table of scenes with the DLL under wine on a virtual display (a real WGL context from Mesa) and
#      with the Linux module (build/), and compares the pictures; runs mosaro-preview.exe against the Linux
#      mosaro-preview the same way;
#   3. builds the product on Linux with the built-in GL loader (build-loader) and runs the tests with it.
# Expects the packages of scripts/setup.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win_dir=${MOSARO_WIN_BUILD_DIR:-$root/build-win}
loader_dir=${MOSARO_LOADER_BUILD_DIR:-$root/build-loader}
linux_dir=${MOSARO_LINUX_BUILD_DIR:-$root/build}
export MESA_SHADER_CACHE_DISABLE=true

echo "== build (Windows DLL, mingw-w64)"
"$root/scripts/build.sh" "$win_dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MingwW64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOSARO_BUILTIN_GL_LOADER=ON
echo "== Windows DLL: exports, imports, size, debug file; the suite, the reload test, the seeds and the test host under wine"
ctest --test-dir "$win_dir" --output-on-failure -j "$(nproc)"

echo "== the Windows suite holds every Linux case but those docs/testing.md names"
"$root/scripts/build.sh" "$linux_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
bash "$root/tests/windows/compare_cases.sh" "$linux_dir" "$win_dir"
echo "== frames: the DLL under wine on WGL against the Linux module"
bash "$root/tests/frames/compare_builds.sh" "$linux_dir" "$win_dir"
echo "== mosaro-preview.exe under wine against the Linux mosaro-preview"
bash "$root/tests/windows/preview_checks.sh" "$linux_dir" "$win_dir"

echo "== build (built-in GL loader, Linux)"
"$root/scripts/build.sh" "$loader_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOSARO_BUILTIN_GL_LOADER=ON \
  -DMOSARO_BENCH=OFF
echo "== tests with the built-in loader"
ctest --test-dir "$loader_dir" --output-on-failure -j "$(nproc)"
