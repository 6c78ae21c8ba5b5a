#!/usr/bin/env bash
# The main job: set up, build the module, show what a host sees of it, and render the bundled example
# mapping (examples/stage.xml with examples/stage.scene) to out/example.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --quick
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
"$root/build/tools/mosaro-preview" info
mkdir -p "$root/out"
"$root/build/tools/mosaro-preview" render \
  --preset "$root/examples/stage.xml" --scene "$root/examples/stage.scene" --size 1920x1080 "$root/out/example.png"
