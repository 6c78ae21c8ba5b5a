#!/usr/bin/env bash
# hardening.sh [BUILD]: memcheck over the tests of BUILD (default build/, RelWithDebInfo), then the fuzz
# targets side by side, each for MOSARO_FUZZ_SECONDS (default 60) from its seed corpus. Fails on any memory
# error, definite leak or fuzzer finding (the input is kept in build-fuzz/artifacts/TARGET/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${MOSARO_FUZZ_SECONDS:-60}

logs=$(mktemp -d)
targets=(preset_reader_fuzz host_calls_fuzz)
# Memcheck runs one thread at a time: the fuzz targets build beside it, in a process group of their own.
echo "== building ${targets[*]}, beside valgrind memcheck"
setsid "$root/tests/fuzz/run_fuzz.sh" --build "${targets[@]}" >"$logs/build.log" 2>&1 &
fuzz_build=$!
trap 'kill -- -"$fuzz_build" 2>/dev/null || true; rm -rf "$logs"' EXIT
echo "== valgrind memcheck"
"$root/tests/valgrind/run_valgrind.sh" "$build"
status=0
wait "$fuzz_build" || status=$?
if ((status != 0)); then
  cat "$logs/build.log"
  exit "$status"
fi
# Each fuzzer runs one thread: on a machine of two cores both run at once, each with its own log.
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
