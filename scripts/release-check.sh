#!/usr/bin/env bash
# The release is reproducible: scripts/release.sh runs on the current commit twice, one run after the
# other, from two clones in folders of different names and lengths; the two dist folders must be
# byte-identical, and scripts/release-leaks.sh must find no time or folder of the build in them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse HEAD)
work=$(mktemp -d "${TMPDIR:-/tmp}/mosaro-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
start=$SECONDS

echo "== release check: commit $commit released twice (in $work)"
if [[ -n $(git -C "$root" status --porcelain --untracked-files=all) ]]; then
  echo "release check: uncommitted changes are not part of a release and are left out"
fi
for run in 1 second-run; do
  git clone -q --no-checkout "$root" "$work/$run"
  git -C "$work/$run" checkout -q --detach "$commit"
  if ! "$work/$run/scripts/release.sh" "$work/$run-dist" >"$work/$run.log" 2>&1; then
    cat "$work/$run.log" >&2
    exit 1
  fi
done
if ! diff -r "$work/1-dist" "$work/second-run-dist"; then
  echo "release check: the two releases of $commit differ" >&2
  exit 1
fi

# The temporary folder too: the compiler writes its link-time objects there.
folders=("$work" "$root" "${TMPDIR:-/tmp}")
if [[ ${HOME:-/} != / ]]; then folders+=("$HOME"); fi
"$root/scripts/release-leaks.sh" "$work/1-dist" "$(git -C "$root" log -1 --format=%ct "$commit")" "${folders[@]}"
cat "$work/1-dist/SHA256SUMS"
echo "release check: both runs gave identical $(cd "$work/1-dist" && echo *) ($((SECONDS - start)) s)"
