#!/usr/bin/env bash
# compare_cases.sh LINUX_BUILD WINDOWS_BUILD: the GoogleTest cases of the Windows suite (listed under wine) are
# the Linux suite's, less exactly those that docs/testing.md names as Linux-only, and at least 90 % of them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

# list_cases RUNNER PROGRAM...: "Suite.Case" for each case of each program, as --gtest_list_tests gives them.
list_cases() {
  local runner=$1 program
  shift
  for program in "$@"; do
    $runner "$program" --gtest_list_tests | tr -d '\r' | awk '
      /^[^ ]/ { sub(/ .*/, ""); suite = $0; next }
      /^  [^ ]/ { sub(/^  /, ""); sub(/ .*/, ""); print suite $0 }'
  done
}

if [[ ${1:-} == --inside ]]; then
  # Under wine: the Windows programs' cases; $WINE runs them.
  shift
  list_cases "env WINEDEBUG=-all $WINE" "$@"
  exit 0
fi

linux=$(realpath "$1")
windows=$(realpath "$2")
# shellcheck source=../support/checks.sh
source "$root/tests/support/checks.sh"
scratch=$(mktemp -d /tmp/mosaro-cases-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

list_cases "" $(find "$linux/tests" -maxdepth 1 -name 'test_*' -type f -executable | sort) | sort >"$scratch/linux"
bash "$here/run_under_wine.sh" --display --shell "$here/compare_cases.sh" --inside \
  $(find "$windows/tests" -maxdepth 1 -name 'test_*.exe' | sort) | grep -E '^[A-Za-z0-9_/]+\.[A-Za-z0-9_/]+$' |
  sort >"$scratch/windows" || true
# The docs' list: "- `Suite.Case`: why" lines in the section on cases that run on Linux only.
awk '/^### Cases that run on Linux only/ { on = 1; next } /^#/ { on = 0 } on' "$root/docs/testing.md" |
  sed -n 's/^- `\([A-Za-z0-9_/]*\.[A-Za-z0-9_/]*\)`.*/\1/p' | sort >"$scratch/documented"

comm -23 "$scratch/linux" "$scratch/windows" >"$scratch/linux-only"
comm -13 "$scratch/linux" "$scratch/windows" >"$scratch/windows-only"
linuxCount=$(wc -l <"$scratch/linux")
windowsCount=$(wc -l <"$scratch/windows")
if [[ -s $scratch/windows-only ]]; then check_fail "cases only on Windows:" $(cat "$scratch/windows-only"); else check_pass; fi
if cmp -s "$scratch/linux-only" "$scratch/documented"; then
  check_pass
else
  check_fail "the Linux-only cases and the docs differ (< only on Linux, > only in docs/testing.md):" \
    "$(diff "$scratch/linux-only" "$scratch/documented" | grep '^[<>]' | tr '\n' ' ')"
fi
if ((linuxCount > 0 && windowsCount * 10 >= linuxCount * 9)); then check_pass; else check_fail "too few cases on Windows"; fi
echo "$windowsCount of the $linuxCount Linux cases run on Windows; on Linux only: $(tr '\n' ' ' <"$scratch/linux-only")"
check_summary
