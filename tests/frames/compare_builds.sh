#!/usr/bin/env bash
# compare_builds.sh LINUX_BUILD WINDOWS_BUILD: the frame host draws its scenes with the Linux module (EGL) and,
# under wine on a virtual display, with the DLL (WGL); the pictures must match (compare_pictures.cpp says how
# exactly).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
linux=$(realpath "$1")
windows=$(realpath "$2")
scratch=$(mktemp -d /tmp/mosaro-frames-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

echo "-- Linux module"
"$linux/tests/frames/mosaro_frame_host" "$linux/effect/Mosaro2.so" "$scratch/linux"
echo "-- Windows DLL under wine"
mkdir -p "$scratch/windows"
cp "$windows/effect/Mosaro2.dll" "$windows/tests/frames/mosaro_frame_host.exe" "$scratch/windows/"
bash "$here/../windows/run_under_wine.sh" --display --home-documents --cwd "$scratch/windows" \
  "$scratch/windows/mosaro_frame_host.exe" '.\Mosaro2.dll' pictures
echo "-- the same pictures"
"$linux/tests/frames/mosaro_compare_pictures" "$scratch/linux" "$scratch/windows/pictures"
