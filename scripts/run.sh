#!/usr/bin/env bash
# The main job: set up, build the module, and show what a host sees of it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
"$root/build/tools/mosaro-preview" info
