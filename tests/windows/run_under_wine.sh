#!/usr/bin/env bash
# run_under_wine.sh [--display] [--home-documents] [--cwd DIR] [--timeout S] EXE [ARGS...]
# run_under_wine.sh [--display] [--home-documents] [--cwd DIR] [--timeout S] --shell SCRIPT [ARGS...]
# Runs a Windows program under wine64 in a fresh prefix under a temporary HOME, and removes both afterwards;
# with --shell, runs the bash SCRIPT instead, which calls "$WINE" program ... as often as it needs.
#   --display         gives it a virtual X display (Xvfb), so that wine's opengl32 serves WGL contexts from Mesa
#   --home-documents  makes HOME/Documents before the prefix is made; wine then points the shell's documents
#                     folder at it (without it, at HOME itself)
#   --cwd DIR         runs the program in DIR (default: EXE's folder)
#   --timeout S       stops the program (or the script) after S seconds (default: 300, with --shell 900)
# Leaves no process behind, also on failure: the X server is stopped by its process id, the wine server by
# wineserver -k, and any process still running in this prefix is killed by id.
set -euo pipefail
display=0 homeDocuments=0 cwd= shell=0 limit=
while [[ $# -gt 0 && $1 == --* ]]; do
  case $1 in
    --display) display=1 ;;
    --home-documents) homeDocuments=1 ;;
    --cwd) cwd=$2; shift ;;
    --timeout) limit=$2; shift ;;
    --shell) shell=1 ;;
    *) echo "unknown option $1"; exit 2 ;;
  esac
  shift
done
exe=$(realpath "$1"); shift
cwd=${cwd:-$(dirname "$exe")}

find_tool() {
  local name
  for name in "$@"; do
    if command -v "$name" >/dev/null 2>&1; then command -v "$name"; return 0; fi
    if [[ -x /usr/lib/wine/$name ]]; then echo "/usr/lib/wine/$name"; return 0; fi
  done
  return 1
}
wine=$(find_tool wine64 wine) || { echo "setup fault: wine64 not found (scripts/setup.sh installs it)"; exit 1; }
wineserver=$(find_tool wineserver wineserver64) || { echo "setup fault: wineserver not found"; exit 1; }
if ((display)); then
  command -v Xvfb >/dev/null 2>&1 || { echo "setup fault: Xvfb not found (scripts/setup.sh installs xvfb)"; exit 1; }
fi

scratch=$(mktemp -d /tmp/mosaro-wine-XXXXXX)
export HOME=$scratch/home WINEPREFIX=$scratch/prefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installers, and no menu entries written into HOME.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset WAYLAND_DISPLAY
mkdir -p "$HOME" "$WINEPREFIX"
((homeDocuments)) && mkdir -p "$HOME/Documents"
xvfbPid= serverStarted=0

cleanup() {
  set +e
  if ((serverStarted)); then
    "$wineserver" -k >/dev/null 2>&1
    timeout 10 "$wineserver" -w >/dev/null 2>&1
  fi
  # Whatever still runs in this prefix was started here; the X server, which shares the environment, ends below.
  local pid
  for pid in $(grep -lsz "^WINEPREFIX=$WINEPREFIX\$" /proc/[0-9]*/environ | cut -d/ -f3); do
    [[ $pid == "$xvfbPid" ]] || kill -9 "$pid" 2>/dev/null
  done
  # Debian's wine keeps the server's folder under TMPDIR and writes its name into the prefix.
  local serverFolder
  serverFolder=$(cat "$WINEPREFIX/wineserver" 2>/dev/null)
  [[ $serverFolder =~ ^wine-[A-Za-z0-9]{6}$ ]] && rm -rf "${TMPDIR:-/tmp}/$serverFolder"
  if [[ -n $xvfbPid ]]; then kill "$xvfbPid" 2>/dev/null; wait "$xvfbPid" 2>/dev/null; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

if ((display)); then
  # Xvfb picks a free display itself and writes its number to the descriptor given.
  exec {displayFd}<> <(:)
  Xvfb -displayfd "$displayFd" -screen 0 640x480x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
  xvfbPid=$!
  read -r -t 30 -u "$displayFd" number || { echo "Xvfb did not start:"; cat "$scratch/xvfb.log"; exit 1; }
  exec {displayFd}>&-
  export DISPLAY=:$number
else
  unset DISPLAY
fi

# Wine's background processes must not keep the caller's output open: every wine command writes to files.
# Debian's wine names the server's folder in a file in the prefix, written by whichever process gets there first;
# a client started beside a server still writing it can make a second folder and find no server in it (wineboot
# failed so once). Without -f the server goes into the background only once it listens, so no client races it.
serverStarted=1
status=0
timeout 60 "$wineserver" -p </dev/null >"$scratch/server.log" 2>&1 || status=$?
if ((status != 0)); then
  echo "wineserver did not start ($status):"; cat "$scratch/server.log"; exit 1
fi
timeout 300 "$wine" wineboot --init </dev/null >"$scratch/boot.log" 2>&1 || status=$?
if ((status != 0)); then
  echo "wineboot failed ($status):"; cat "$scratch/boot.log" "$scratch/server.log"; exit 1
fi
if ((shell)); then
  (cd "$cwd" && WINE=$wine timeout "${limit:-900}" bash "$exe" "$@") </dev/null >"$scratch/run.log" 2>&1 || status=$?
else
  (cd "$cwd" && timeout "${limit:-300}" "$wine" "$exe" "$@") </dev/null >"$scratch/run.log" 2>&1 || status=$?
fi
documents=$(readlink -f "$WINEPREFIX/drive_c/users/$(id -un)/Documents" 2>/dev/null || true)
tr -d '\r' <"$scratch/run.log"
echo "(the prefix's Documents folder was ${documents/#$HOME/\$HOME})"
exit "$status"
