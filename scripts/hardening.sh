#!/usr/bin/env bash
# hardening.sh [BUILD]: memcheck over the tests of BUILD (default build/, RelWithDebInfo), then the fuzz
# targets side by side, each for MOSARO_FUZZ_SECONDS (default 60) from its seed corpus. Fails on any memory
# error, definite leak or fuzzer finding (the input is kept in build-fuzz/artifacts/TARGET/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${MOSARO_FUZZ_SECONDS:-60}
export MESA_SHADER_CACHE_DISABLE=true

echo "== valgrind memcheck"
"$root/tests/valgrind/run_valgrind.sh" "$build"
targets=(preset_reader_fuzz host_calls_fuzz)
echo "== building ${targets[*]}"
"$root/tests/fuzz/run_fuzz.sh" --build "${targets[@]}"
# Each fuzzer runs one thread: on a machine of two cores both run at once, each with its own log.
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
pids=()
for target in "${targets[@]}"; do
  echo "== fuzzing $target for ${seconds}s"
  "$root/tests/fuzz/run_fuzz.sh" "$target" "$seconds" >"$logs/$target.log" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
  status=0
  wait "${pids[$i]}" || status=$?
  echo "== ${targets[$i]}"
  cat "$logs/${targets[$i]}.log"
  if ((status != 0)); then failed=$((failed + 1)); fi
done
echo "hardening: $((2 + ${#targets[@]} - failed)) passed, $failed failed"
((failed == 0))
