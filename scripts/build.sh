#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures DIR (again whenever the options differ from those it was last
# configured with) and builds the project into it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
# The options of the last configuration, one a line, kept beside the build files.
wanted=$(printf '%s\n' "$@")
stamp=$dir/.mosaro-configure-options
if [[ ! -f $dir/build.ninja || ! -f $stamp || $(cat "$stamp") != "$wanted" ]]; then
  if [[ -f $dir/build.ninja ]]; then
    echo "build.sh: the options for $dir changed; configuring it again"
    # Options dropped since the last run must not linger in the cache.
    rm -f "$dir/CMakeCache.txt"
  fi
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  printf '%s' "$wanted" >"$stamp"
fi
cmake --build "$dir" -j "$(nproc)"
