#!/usr/bin/env bash
# hardening.sh [BUILD]: memcheck over the tests of BUILD (default build/, RelWithDebInfo), then each fuzz
# target for MOSARO_FUZZ_SECONDS (default 60) from its seed corpus. Fails on any memory error, definite
# leak or fuzzer finding (the input is kept in build-fuzz/artifacts/TARGET/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${MOSARO_FUZZ_SECONDS:-60}
export MESA_SHADER_CACHE_DISABLE=true

echo "== valgrind memcheck"
"$root/tests/valgrind/run_valgrind.sh" "$build"
targets=(preset_reader_fuzz host_calls_fuzz)
for target in "${targets[@]}"; do
  echo "== fuzzing $target for ${seconds}s"
  "$root/tests/fuzz/run_fuzz.sh" "$target" "$seconds"
done
echo "hardening: $((2 + ${#targets[@]})) passed, 0 failed"
