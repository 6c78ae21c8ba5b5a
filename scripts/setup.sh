#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; quick when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  juce-modules-source-data zlib1g-dev
  libepoxy-dev libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri
  libgtest-dev libbenchmark-dev libstb-dev libcli11-dev libxxhash-dev
  clang libclang-rt-14-dev valgrind
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev wine64 xvfb xauth
  zip unzip
)

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
