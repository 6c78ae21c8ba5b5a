#!/usr/bin/env bash
# release-leaks.sh DIST EPOCH FOLDER...: fails if the zips in DIST carry a time or a folder of the machine
# that built them. In Mosaro2.dll, mosaro-preview.exe and their debug files unpacked from them: the PE
# header's time stamp and those of the export and resource directories are 0; no string (8-bit or UTF-16)
# holds one of the FOLDERs; every string shaped like __DATE__ ("Dec  9 2026") or __TIME__ ("03:02:22") is EPOCH's, in UTC.
# In the zips: every entry's time is EPOCH's (to zip's 2 seconds) and no entry has an extra field.
set -euo pipefail
dist=$1 epoch=$2
shift 2
export LC_ALL=C
problems=0
leak() { echo "release-leaks: $*" >&2; problems=$((problems + 1)); }
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT

for zip in "$dist"/*.zip; do
  while read -r _ _ _ _ _ _ _ stamp name; do
    seconds=$(date -u -d "${stamp:0:8} ${stamp:9:2}:${stamp:11:2}:${stamp:13:2}" +%s)
    ((seconds - epoch <= 1 && epoch - seconds <= 1)) || leak "$zip: $name dated $stamp, not at $epoch"
  done < <(zipinfo -T -l "$zip" | grep '^-')
  details=$(zipinfo -v "$zip")
  grep 'length of extra field' <<<"$details" | grep -qv ' 0 bytes' && leak "$zip: an entry has an extra field"
  unzip -q -o "$zip" -d "$unpacked"
done

date_text=$(date -u -d "@$epoch" '+%b %e %Y')
time_text=$(date -u -d "@$epoch" '+%H:%M:%S')
for file in "$unpacked"/{Mosaro2.dll,mosaro-preview.exe}{,.debug}; do
  name=${file##*/}
  [[ -f $file ]] || { leak "no $name in $dist"; continue; }
  pe=$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')
  stamp=$(od -An -tu4 -j$((pe + 8)) -N4 "$file" | tr -d ' ')
  [[ $stamp == 0 ]] || leak "$name: PE header time stamp $stamp ($(date -u -d "@$stamp"))"
  headers=$(x86_64-w64-mingw32-objdump -p "$file")
  grep -E 'Time/Date stamp|Time: ' <<<"$headers" | grep -qvE 'stamp[[:space:]]+0$|Time: 0+,' &&
    leak "$name: an export or resource directory has a time stamp"
  { strings -a -n 4 "$file"; strings -a -n 4 -e l "$file"; } >"$unpacked/strings"
  for folder in "$@"; do
    grep -qF -- "$folder" "$unpacked/strings" && leak "$name holds the folder $folder"
  done
  while read -r found; do
    [[ $found == "$date_text" || $found == "$time_text" ]] || leak "$name holds the date or time '$found'"
  done < <(grep -oE '(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 1-3][0-9] [0-9]{4}|\<[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\>' \
    "$unpacked/strings" | sort -u)
done
((problems == 0)) || exit 1
echo "release-leaks: no build time but the commit's ($date_text $time_text UTC) and none of $* in $dist"
