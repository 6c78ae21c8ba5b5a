#!/usr/bin/env bash
# run_valgrind.sh BUILD: memcheck over a representative GL test (an instance of the built module drawing
# on slices through plugMain, on llvmpipe) and a description-only test (the parameters as the host reads
# them), both from BUILD, a build without sanitizers. Fails on any memory error or definite leak; only
# the GL driver's loading false alarm is suppressed, by library name (mesa.supp beside this script).
set -euo pipefail
if [[ $# -ne 1 ]]; then
  echo "usage: $0 BUILD" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
tests=$1/tests
# The driver's own threads only slow memcheck down, which runs one thread at a time anyway.
export LP_NUM_THREADS=0

run() {
  local test=$1 filter=$2
  echo "valgrind: $test --gtest_filter=$filter"
  valgrind --tool=memcheck --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite \
    --show-leak-kinds=definite --num-callers=40 --suppressions="$here/mesa.supp" \
    "$tests/$test" --gtest_filter="$filter" --gtest_brief=1
}

run test_effect_render 'RenderPass.SliceSampleMapsTheSampleSliceOntoTheOutputSlice'
run test_effect_params 'EffectParams.*'
echo "valgrind: no errors"
