#!/usr/bin/env bash
# run_under_wine.sh EXE DLL: runs the Windows test host EXE on DLL under wine64, in a fresh prefix under a
# temporary HOME (so the prefix's Documents folder lies inside it), and removes both afterwards.
set -euo pipefail
exe=$(realpath "$1")
dll=$(realpath "$2")

find_tool() {
  local name
  for name in "$@"; do
    if command -v "$name" >/dev/null 2>&1; then command -v "$name"; return 0; fi
    if [[ -x /usr/lib/wine/$name ]]; then echo "/usr/lib/wine/$name"; return 0; fi
  done
  return 1
}
wine=$(find_tool wine64 wine) || { echo "wine64 not found (scripts/setup.sh installs it)"; exit 1; }
wineserver=$(find_tool wineserver wineserver64) || { echo "wineserver not found"; exit 1; }

scratch=$(mktemp -d /tmp/mosaro-wine-XXXXXX)
export HOME=$scratch/home WINEPREFIX=$scratch/prefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installers, and no window system.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME" "$WINEPREFIX"

# Wine's background processes must not keep the caller's output open: every wine command writes to files,
# and the server of this prefix is ended before they are shown.
cleanup() {
  "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT

"$wineserver" -p </dev/null >"$scratch/server.log" 2>&1
status=0
timeout 300 "$wine" wineboot --init </dev/null >"$scratch/boot.log" 2>&1 || status=$?
if ((status != 0)); then
  echo "wineboot failed ($status):"; cat "$scratch/boot.log"; exit 1
fi
(cd "$(dirname "$dll")" && timeout 300 "$wine" "$exe" ".\\$(basename "$dll")") </dev/null >"$scratch/test.log" 2>&1 || status=$?
"$wineserver" -k >/dev/null 2>&1 || true
"$wineserver" -w >/dev/null 2>&1 || true
tr -d '\r' <"$scratch/test.log"
exit "$status"
