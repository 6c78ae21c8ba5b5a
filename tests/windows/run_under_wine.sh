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
#
# A session serves many programs one after the other (the test suite's programs: one prefix booted once):
# run_under_wine.sh --start-session FOLDER [--display]   boots a prefix and its servers in FOLDER and leaves them
# run_under_wine.sh --in-session FOLDER [--cwd DIR] [--timeout S] EXE [ARGS...]   runs EXE there
# run_under_wine.sh --end-session FOLDER                  stops everything of the session and removes FOLDER
set -euo pipefail
display=0 homeDocuments=0 cwd= shell=0 limit= mode=once session=
while [[ $# -gt 0 && $1 == --* ]]; do
  case $1 in
    --display) display=1 ;;
    --home-documents) homeDocuments=1 ;;
    --cwd) cwd=$2; shift ;;
    --timeout) limit=$2; shift ;;
    --shell) shell=1 ;;
    --start-session|--in-session|--end-session) mode=${1#--}; session=$2; shift ;;
    *) echo "unknown option $1"; exit 2 ;;
  esac
  shift
done

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

# The environment of a prefix in scratch (a fresh folder); a session keeps it in scratch/session.env.
use_prefix() {
  scratch=$1
  export HOME=$scratch/home WINEPREFIX=$scratch/prefix WINEARCH=win64 WINEDEBUG=-all
  # No Mono or Gecko installers, and no menu entries written into HOME.
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  unset WAYLAND_DISPLAY
}

# Stops what runs in the prefix of scratch (and the X server xvfbPid, if any) and removes scratch.
stop_prefix() {
  local xvfbPid=$1 pid serverFolder
  set +e
  "$wineserver" -k >/dev/null 2>&1
  timeout 10 "$wineserver" -w >/dev/null 2>&1
  # Whatever still runs in this prefix was started here; the X server, which shares the environment, ends below.
  for pid in $(grep -lsz "^WINEPREFIX=$WINEPREFIX\$" /proc/[0-9]*/environ | cut -d/ -f3); do
    [[ $pid == "$xvfbPid" ]] || kill -9 "$pid" 2>/dev/null
  done
  # Debian's wine keeps the server's folder under TMPDIR and writes its name into the prefix.
  serverFolder=$(cat "$WINEPREFIX/wineserver" 2>/dev/null)
  [[ $serverFolder =~ ^wine-[A-Za-z0-9]{6}$ ]] && rm -rf "${TMPDIR:-/tmp}/$serverFolder"
  if [[ -n $xvfbPid ]]; then kill "$xvfbPid" 2>/dev/null; wait "$xvfbPid" 2>/dev/null; fi
  rm -rf "$scratch"
}

# Starts the X server (when asked) and the wine server, and boots the prefix; sets xvfbPid.
boot_prefix() {
  mkdir -p "$HOME" "$WINEPREFIX"
  ((homeDocuments)) && mkdir -p "$HOME/Documents"
  xvfbPid=
  if ((display)); then
    # Xvfb picks a free display itself and writes its number to the descriptor given; in a session it has to
    # outlive this script, so it gets a process group of its own.
    exec {displayFd}<> <(:)
    setsid Xvfb -displayfd "$displayFd" -screen 0 640x480x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
    xvfbPid=$!
    read -r -t 30 -u "$displayFd" number || { echo "Xvfb did not start:"; cat "$scratch/xvfb.log"; return 1; }
    exec {displayFd}>&-
    export DISPLAY=:$number
  else
    unset DISPLAY
  fi
  # Wine's background processes must not keep the caller's output open: every wine command writes to files.
  # Debian's wine names the server's folder in a file in the prefix, written by whichever process gets there
  # first; a client started beside a server still writing it can make a second folder and find no server in it
  # (wineboot failed so once). Without -f the server goes into the background only once it listens, so no
  # client races it.
  local status=0
  timeout 60 "$wineserver" -p </dev/null >"$scratch/server.log" 2>&1 || status=$?
  if ((status != 0)); then
    echo "wineserver did not start ($status):"; cat "$scratch/server.log"; return 1
  fi
  timeout 300 "$wine" wineboot --init </dev/null >"$scratch/boot.log" 2>&1 || status=$?
  if ((status != 0)); then
    echo "wineboot failed ($status):"; cat "$scratch/boot.log" "$scratch/server.log"; return 1
  fi
}

# Runs the program (or with --shell the script) in cwd with the prefix's environment; prints what it wrote.
run_program() {
  local exe=$1 status=0
  shift
  exe=$(realpath "$exe")
  local folder=${cwd:-$(dirname "$exe")}
  if ((shell)); then
    (cd "$folder" && WINE=$wine timeout "${limit:-900}" bash "$exe" "$@") </dev/null >"$scratch/run.log" 2>&1 ||
      status=$?
  else
    (cd "$folder" && timeout "${limit:-300}" "$wine" "$exe" "$@") </dev/null >"$scratch/run.log" 2>&1 || status=$?
  fi
  local documents
  documents=$(readlink -f "$WINEPREFIX/drive_c/users/$(id -un)/Documents" 2>/dev/null || true)
  tr -d '\r' <"$scratch/run.log"
  echo "(the prefix's Documents folder was ${documents/#$HOME/\$HOME})"
  return "$status"
}

case $mode in
  once)
    use_prefix "$(mktemp -d /tmp/mosaro-wine-XXXXXX)"
    xvfbPid=
    trap 'stop_prefix "$xvfbPid"' EXIT
    trap 'exit 143' TERM INT HUP
    boot_prefix
    run_program "$@"
    ;;
  start-session)
    rm -rf "$session"
    mkdir -p "$session"
    use_prefix "$(realpath "$session")"
    xvfbPid=
    trap 'stop_prefix "$xvfbPid"' ERR
    boot_prefix
    trap - ERR
    { declare -p HOME WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES; [[ -n ${DISPLAY:-} ]] && declare -p DISPLAY
      echo "xvfbPid=$xvfbPid"; } | sed 's/^declare -x /export /; s/^declare -- //' >"$session/session.env"
    echo "wine session ready in $session"
    ;;
  in-session)
    [[ -f $session/session.env ]] || { echo "no wine session in $session (--start-session makes one)"; exit 1; }
    # shellcheck source=/dev/null
    source "$session/session.env"
    scratch=$(mktemp -d "$session/run-XXXXXX")
    trap 'rm -rf "$scratch"' EXIT
    run_program "$@"
    ;;
  end-session)
    if [[ -f $session/session.env ]]; then
      # shellcheck source=/dev/null
      source "$session/session.env"
      scratch=$session
      stop_prefix "$xvfbPid"
    fi
    rm -rf "$session"
    echo "wine session in $session ended"
    ;;
esac
