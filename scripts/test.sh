#!/usr/bin/env bash
# Sets up, builds and runs every test: once as built, once under ASan and UBSan, then the Windows DLL
# (cross-built, run under wine) and the build with the built-in GL loader (scripts/windows.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
export MESA_SHADER_CACHE_DISABLE=true
jobs=$(nproc)

echo "== build (RelWithDebInfo)"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== build (AddressSanitizer + UndefinedBehaviorSanitizer)"
"$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DMOSARO_SANITIZE=ON -DMOSARO_BENCH=OFF

echo "== tests under sanitizers"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"
echo "== tests"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
"$root/scripts/windows.sh"
"$root/scripts/hardening.sh" "$root/build"
