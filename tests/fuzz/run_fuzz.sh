#!/usr/bin/env bash
# run_fuzz.sh TARGET SECONDS: builds a fuzz target with clang from the project's own targets (in build-fuzz/
# at the top of the tree, or $MOSARO_FUZZ_BUILD) and runs it for SECONDS from its seed corpus corpus/NAME/
# (the preset reader also from the preset fixtures in tests/data/presets/) and dictionary NAME.dict, NAME
# being TARGET without "_fuzz". Exits non-zero on any finding; the input that caused it is left in the
# build folder's artifacts/TARGET/.
# run_fuzz.sh --build TARGET...: only builds the targets (so that several can then run side by side).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${MOSARO_FUZZ_BUILD:-$root/build-fuzz}
configure_and_build() {
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOSARO_FUZZ=ON \
    -DMOSARO_TESTS=OFF -DMOSARO_BENCH=OFF >/dev/null
  cmake --build "$build" --target "$@" -j "$(nproc)"
}
if [[ ${1:-} == --build ]]; then
  shift
  configure_and_build "$@"
  exit 0
fi
if [[ $# -ne 2 ]]; then
  echo "usage: $0 TARGET SECONDS, or $0 --build TARGET..." >&2
  exit 2
fi
target=$1
seconds=$2
name=${target%_fuzz}
seeds=$here/corpus/$name
if [[ ! -d $seeds ]]; then
  echo "run_fuzz: no seed corpus at $seeds" >&2
  exit 2
fi
seed_folders=("$seeds")
if [[ $name == preset_reader ]]; then seed_folders+=("$root/tests/data/presets"); fi

configure_and_build "$target"

# New inputs go to a scratch folder so that the seed corpus stays as committed.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts=$build/artifacts/$target
mkdir -p "$artifacts"
dict=()
if [[ -f $here/$name.dict ]]; then dict=(-dict="$here/$name.dict"); fi

echo "run_fuzz: $target for ${seconds}s"
"$build/$target" "${dict[@]}" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
  -artifact_prefix="$artifacts/" -print_final_stats=1 "$work" "${seed_folders[@]}"
echo "run_fuzz: $target finished without a finding"
