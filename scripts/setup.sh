#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; quick when everything is present.
# setup.sh --quick: only what the Linux build and its suite need (scripts/run.sh, scripts/test.sh --quick), not
# the cross toolchain, wine, the fuzzers' compiler or valgrind of the full run.
set -euo pipefail

linux=(
  cmake ninja-build g++ pkg-config
  juce-modules-source-data zlib1g-dev
  libepoxy-dev libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri
  libgtest-dev libbenchmark-dev libstb-dev libcli11-dev libxxhash-dev
)
full_run=(
  clang libclang-rt-14-dev valgrind
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev googletest wine64 xvfb xauth
  zip unzip
)
case ${1:-} in
  --quick) packages=("${linux[@]}") ;;
  "") packages=("${linux[@]}" "${full_run[@]}") ;;
  *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
