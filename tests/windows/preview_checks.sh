#!/usr/bin/env bash
# preview_checks.sh LINUX_BUILD WINDOWS_BUILD: mosaro-preview.exe under wine (on a virtual display) against the
# Linux build's mosaro-preview, each next to its own module: the same output of info, params --json and
# slices --json (paths aside), the same picture from render, a preset found under the prefix's documents folder
# in a host folder with a non-ASCII name, and the same exit codes and messages for bad input. File and folder
# names beyond ASCII are used throughout.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

# record OUT NAME COMMAND...: runs COMMAND, keeping its output, messages and exit code in OUT/NAME.{out,err,code}.
record() {
  local out=$1 name=$2 code=0
  shift 2
  "$@" >"$out/$name.out" 2>"$out/$name.err" || code=$?
  echo "$code" >"$out/$name.code"
}

# The commands both builds run in the work folder; "$@" is the tool (with its arguments before the command).
run_commands() {
  local out=$1
  shift
  record "$out" info "$@" info
  record "$out" params "$@" params --json
  record "$out" slices "$@" slices --json "Bühne Süd.xml"
  # The bundled example as scripts/run.sh renders it (over the generated test card), then a picture of its own.
  record "$out" render "$@" render --preset "Bühne Süd.xml" --scene "Bühne Süd.scene" --size 1920x1080 \
    "$out/Beispiel.png"
  record "$out" render_input "$@" render --input "Eingänge/Testbild ü.png" --preset "Bühne Süd.xml" \
    --scene "Bühne Süd.scene" --size 960x540 "$out/Bühne Süd.png"
  record "$out" unknown_name "$@" render --set "Rotate Outt 1=5" never.png
  record "$out" unreadable_picture "$@" render --input "Eingänge/fehlt.png" never.png
}

if [[ ${1:-} == --inside ]]; then
  # Under wine: the tool beside its DLL in a folder with a non-ASCII name; $WINE runs it.
  out=$2
  tool=(env WINEDEBUG=-all "$WINE" "Programm Ü/mosaro-preview.exe")
  run_commands "$out" "${tool[@]}"
  record "$out" missing_module "${tool[@]}" --module "Programm Ü/fehlt.dll" info
  # Without a display wine has no OpenGL.
  record "$out" no_gl env -u DISPLAY "${tool[@]}" render --size 64x36 never.png
  # The user's own documents folder, as the DLL reads it in the host: a host folder with a non-ASCII name.
  presets="$HOME/Documents/Bühne Süd/Presets/Advanced Output"
  mkdir -p "$presets"
  cp "Bühne Süd.xml" "$presets/Süd.xml"
  record "$out" own_documents "${tool[@]}" slices --json
  exit 0
fi

linux=$(realpath "$1")
windows=$(realpath "$2")
scratch=$(mktemp -d /tmp/mosaro-preview-checks-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
work=$scratch/work
mkdir -p "$work/Eingänge" "$work/Programm Ü" "$scratch/linux" "$scratch/windows"
cp "$root/examples/stage.xml" "$work/Bühne Süd.xml"
cp "$root/examples/stage.scene" "$work/Bühne Süd.scene"
cp "$root/examples/example.png" "$work/Eingänge/Testbild ü.png"
cp "$windows/tools/mosaro-preview.exe" "$windows/effect/Mosaro2.dll" "$work/Programm Ü/"

echo "-- Linux"
cd "$work"
run_commands "$scratch/linux" "$linux/tools/mosaro-preview"
record "$scratch/linux" missing_module "$linux/tools/mosaro-preview" --module "Programm Ü/fehlt.so" info
# No EGL vendor library: no OpenGL.
record "$scratch/linux" no_gl env __EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent "$linux/tools/mosaro-preview" \
  render --size 64x36 never.png
echo "-- Windows, under wine"
bash "$here/run_under_wine.sh" --display --home-documents --cwd "$work" --shell "$here/preview_checks.sh" --inside \
  "$scratch/windows"

echo "-- comparison"
# shellcheck source=../support/checks.sh
source "$root/tests/support/checks.sh"
# Windows ends text lines with CR LF; apart from that the output must be the same byte for byte.
same_file() {
  if diff "$scratch/linux/$1" <(tr -d '\r' <"$scratch/windows/$1") >"$scratch/diff"; then echo "$1: the same"; check_pass
  else check_fail "$1 differs:"; head -20 "$scratch/diff"; fi
}
for name in info params slices render render_input unknown_name unreadable_picture missing_module no_gl; do
  same_file "$name.code"
done
same_file info.out
same_file params.out
same_file unknown_name.err
same_file unreadable_picture.err
# slices --json names the file as it was given; the rest is the same.
same_file slices.out
for picture in Beispiel.png "Bühne Süd.png"; do
  if "$linux/tests/frames/mosaro_compare_pictures" "$scratch/linux/$picture" "$scratch/windows/$picture"; then check_pass
  else check_fail "render draws $picture differently"; fi
done
# The module that cannot be loaded and the missing OpenGL context: the same message up to the platform's reason
# (and the module's file name).
for name in missing_module no_gl; do
  linuxText=$(sed 's/fehlt[.]so/fehlt.MODULE/' "$scratch/linux/$name.err" | cut -d: -f1-2 | head -1)
  windowsText=$(tr -d '\r' <"$scratch/windows/$name.err" | sed 's/fehlt[.]dll/fehlt.MODULE/' | cut -d: -f1-2 |
    head -1)
  if [[ -n $linuxText && $linuxText == "$windowsText" ]]; then check_pass
  else check_fail "$name: '$linuxText' on Linux, '$windowsText' on Windows"; fi
  echo "$name: $(tr -d '\r' <"$scratch/windows/$name.err" | head -1)"
done
# The user's own documents folder, found as the DLL finds it, with the path beyond ASCII reported exactly.
expected="\"file\": \"C:\\\\users\\\\$(id -un)\\\\Documents\\\\Bühne Süd\\\\Presets\\\\Advanced Output\\\\Süd.xml\""
own=$scratch/windows/own_documents.out
if grep -qF "$expected" "$own" && grep -q '"status": "read"' "$own"; then echo "own documents folder: $expected"; check_pass
else check_fail "slices in the user's own documents folder: $(head -c 300 "$own")"; fi
echo -n "preview checks: "
check_summary
