#!/usr/bin/env bash
# release.sh [OUT_DIR]: builds the Windows release of the current commit from its clean tree into OUT_DIR
# (default dist/): Mosaro2-VERSION-windows-x64.zip, Mosaro2-VERSION-windows-x64-debug.zip and SHA256SUMS.
# Byte-identical for the same commit wherever and whenever it runs (scripts/release-check.sh checks that).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/dist}
build=$root/build-release

# What each zip holds, in this order: "name in the zip=file in the build folder".
main_files=(
  "Mosaro2.dll=effect/Mosaro2.dll"
  "mosaro-preview.exe=tools/mosaro-preview.exe"
  "README.txt=release/README.txt"
  "THIRD-PARTY-NOTICES.txt=release/THIRD-PARTY-NOTICES.txt"
)
debug_files=(
  "Mosaro2.dll.debug=effect/Mosaro2.dll.debug"
  "mosaro-preview.exe.debug=tools/mosaro-preview.exe.debug"
  "THIRD-PARTY-NOTICES.txt=release/THIRD-PARTY-NOTICES.txt"
)

fail() { echo "release: $*" >&2; exit 1; }

for tool in git cmake ninja x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres \
  x86_64-w64-mingw32-objcopy x86_64-w64-mingw32-objdump x86_64-w64-mingw32-addr2line zip sha256sum; do
  command -v "$tool" >/dev/null || fail "missing tool '$tool' (scripts/setup.sh installs it)"
done
git -C "$root" rev-parse --verify -q HEAD >/dev/null || fail "$root is no git checkout with a commit"
changes=$(git -C "$root" status --porcelain --untracked-files=all)
if [[ -n $changes ]]; then
  printf '%s\n' "release: refused: the tree has uncommitted changes, so no commit describes what would be built." \
    "Commit, stash or remove them (build folders and dist/ do not count):" "$changes" >&2
  exit 1
fi

commit=$(git -C "$root" rev-parse HEAD)
# Compiler dates (__DATE__, __TIME__) and zip entry times are the commit's.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct HEAD)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C
# Flags from the environment would make the build depend on the machine.
unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS RCFLAGS
echo "== release of commit $commit"

rm -rf "$build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MingwW64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOSARO_TESTS=OFF -DMOSARO_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
checks=(-DOBJDUMP=x86_64-w64-mingw32-objdump -DSPLIT_DEBUG=1 -DLEAN=1)
cmake -DDLL="$build/effect/Mosaro2.dll" "${checks[@]}" -DADDR2LINE=x86_64-w64-mingw32-addr2line \
  -P "$root/tests/windows/check_dll.cmake"
cmake -DDLL="$build/tools/mosaro-preview.exe" "${checks[@]}" -DPROGRAM=1 -P "$root/tests/windows/check_dll.cmake"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ -n $version ]] || fail "no project version in $build/CMakeCache.txt"

mkdir -p "$out"
out=$(cd "$out" && pwd)
main_zip=Mosaro2-$version-windows-x64.zip
debug_zip=Mosaro2-$version-windows-x64-debug.zip

# pack ZIP ENTRY...: the entries with fixed mode and time, no extra fields, in the given order.
pack() {
  local zip=$1 stage=$build/stage/${1%.zip} entry name file
  shift
  local names=()
  mkdir -p "$stage"
  for entry in "$@"; do
    name=${entry%%=*} file=$build/${entry#*=}
    [[ -f $file ]] || fail "the build made no $file"
    install -m 0644 "$file" "$stage/$name"
    touch -d "@$SOURCE_DATE_EPOCH" "$stage/$name"
    names+=("$name")
  done
  rm -f "$out/$zip"
  (cd "$stage" && zip -q -X -9 "$out/$zip" "${names[@]}")
}
pack "$main_zip" "${main_files[@]}"
pack "$debug_zip" "${debug_files[@]}"
(cd "$out" && sha256sum "$main_zip" "$debug_zip" >SHA256SUMS)

echo "== release $version in $out"
cat "$out/SHA256SUMS"
