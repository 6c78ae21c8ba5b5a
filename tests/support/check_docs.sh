#!/usr/bin/env bash
# check_docs.sh PREVIEW ROOT: fails when README.md or docs/ names, in its code (`spans` and fenced blocks), a
# mosaro-preview command or option, a script or one of its options, a source path, a built program, a test or
# a variable that no longer exists.
set -euo pipefail
preview=$(readlink -f "$1")
cd "$2"
docs=(README.md docs/*.md)
# Words of code are split but never expanded as file patterns.
set -f
sources=(.ci bench cmake effect examples glsupport host presets quickstart release scripts tests tools windows)
cmake_lists=$(find . -path './build*' -prune -o -name CMakeLists.txt -print)
ctest_names=$(sed -nE 's/.*(mosaro_add_gtest\(|add_test\(NAME )([A-Za-z0-9_]+).*/\2/p' $cmake_lists)
failures=0
checked=0

fail() {
  echo "$where: $*" >&2
  failures=$((failures + 1))
}

# The parts of TEXT that match the extended regular expression PATTERN, one a line.
matches() { grep -oE -- "$1" <<<"$2" || true; }

# The --long and -s options written in TEXT, one a line.
options_in() {
  matches '(^|[][ ("=])--?[a-zA-Z][a-zA-Z0-9-]*' "$1" | sed 's/^[][ ("=]//' | grep -vE '^-[a-zA-Z]{2}' || true
}

is_program() { grep -qE "(add_executable|mosaro_add_gtest)\($1( |\)|$)" $cmake_lists; }

# Each piece of code as "FILE:LINE<tab>CODE": every inline span, and every line of a fenced block (a line
# ending in a backslash joined with the next).
code_pieces() {
  awk '
    FNR == 1 { fenced = 0; held = "" }
    /^```/ { fenced = !fenced; next }
    fenced {
      if (held == "") start = FNR
      line = held $0
      if (line ~ /\\$/) { held = substr(line, 1, length(line) - 1) " "; next }
      held = ""
      print FILENAME ":" start "\t" line
      next
    }
    {
      rest = $0
      while (match(rest, /`[^`]+`/)) {
        print FILENAME ":" FNR "\t" substr(rest, RSTART + 1, RLENGTH - 2)
        rest = substr(rest, RSTART + RLENGTH)
      }
    }' "${docs[@]}"
}

# Help texts of the preview tool, by subcommand ("top" for the top level).
declare -A help
help[top]=$("$preview" --help)
subcommands=$(sed -n '/^Subcommands:/,$s/^  \([a-z]\+\) .*/\1/p' <<<"${help[top]}")
for sub in $subcommands; do help[$sub]=$("$preview" "$sub" --help); done

has_option() {  # has_option SUB OPTION: SUB's help or the top level's names OPTION
  grep -qE -- "(^|[ ,])$2([ ,=]|$)" <<<"${help[$1]}"$'\n'"${help[top]}"
}

check_preview() {  # check_preview "WORDS after mosaro-preview": its command and each option
  local sub=top word previous="" option
  for word in $1; do
    if [[ $sub == top && $word =~ ^[a-z]+$ && $previous != --module ]]; then
      sub=$word
      grep -qx "$sub" <<<"$subcommands" || { fail "mosaro-preview has no command '$sub'"; return; }
    fi
    previous=$word
  done
  for option in $(options_in "$1"); do
    checked=$((checked + 1))
    has_option "$sub" "$option" || fail "mosaro-preview $sub has no option $option"
  done
}

check_scripts() {  # check_scripts COMMAND: each script exists and knows each option written after it
  local script option
  for script in $(matches '(^|[ (=])[A-Za-z0-9_./-]+\.sh' "$1" | sed 's/^[ (=]//'); do
    checked=$((checked + 1))
    if [[ ! -f $script ]]; then fail "no script $script"; continue; fi
    for option in $(options_in "${1#*"$script"}"); do
      grep -qF -- "$option" "$script" || fail "$script knows no option $option"
    done
  done
}

check_paths() {  # check_paths COMMAND: each path into the sources exists
  local folders path
  folders=$(IFS='|'; echo "${sources[*]//./[.]}")
  for path in $(matches "(^|[^A-Za-z0-9_./-])($folders)/[A-Za-z0-9_./-]*" "$1" |
                sed -E 's/^[^A-Za-z0-9_./-]//; s/[.]$//'); do
    checked=$((checked + 1))
    [[ -e $path ]] || fail "no file or folder $path"
  done
}

check_programs() {  # check_programs COMMAND: each build*/.../NAME program is a target of the build
  local program
  for program in $(matches '(^|[ =])build[a-z-]*/([A-Za-z0-9_.-]+/)*[a-z][a-z0-9_-]*( |$)' "$1" |
                   sed -E 's/ $//; s#.*/##'); do
    checked=$((checked + 1))
    is_program "$program" || fail "no program $program is built"
  done
}

# check_code_name NAME: a name of the code (`QmPlugin::DrawLayer`, `Values()`, `kFormats`, `LayerSlot`) is
# declared in the sources or in the JUCE core module they use: each of its parts is a word of a C++ file, and a
# member's part a word of a file that names its class too.
check_code_name() {
  local name=${1%"()"} part files
  checked=$((checked + 1))
  files=$(grep -rlw --include='*.h' --include='*.cpp' -- "${name##*::}" host effect presets quickstart glsupport \
          tools tests bench /usr/share/juce/modules/juce_core 2>/dev/null || true)
  for part in ${name//::/ }; do
    files=$(grep -lw -- "$part" $files /dev/null || true)
  done
  [[ -n $files ]] || fail "no source declares $1"
}

# check_variables COMMAND: variables set are read by scripts, tests, benches or the build; MOSARO_* exist
check_variables() {
  local variable
  for variable in $(matches '(^| )[A-Z][A-Z0-9_]*=' "$1" | tr -d ' ='); do
    checked=$((checked + 1))
    grep -rqw -- "$variable" scripts tests bench cmake CMakeLists.txt ||
      fail "no script, test, bench or build file reads $variable"
  done
  for variable in $(matches 'MOSARO_[A-Z0-9_]+' "$1"); do
    checked=$((checked + 1))
    grep -rqw -- "$variable" CMakeLists.txt "${sources[@]}" || fail "nothing in the sources names $variable"
  done
}

preview_command='(^|[ /])mosaro-preview(\.exe)?( (.*))?$'
# Names of the code: qualified, called, constants, and words in camel case (not variables or file names).
code_name='^([A-Za-z_][A-Za-z0-9_]*::)*([A-Z][a-z0-9]+[A-Z][A-Za-z0-9]*|[a-z]+[A-Z][A-Za-z0-9]*|k[A-Z][A-Za-z0-9]*|[A-Za-z_][A-Za-z0-9_]*::[A-Za-z_][A-Za-z0-9_]*|[A-Za-z_][A-Za-z0-9_]*\(\))$'
ctest_filter='^ctest .*-R ([^ ]+)'
test_name='^(test_[a-z0-9_]+|[a-z_]+_(fuzz|bench))$'
lone_option='^(--[a-z][a-z0-9-]*)'
while IFS=$'\t' read -r where code; do
  # One command at a time: split at ;, && and shell comments.
  while read -r command; do
    [[ -n $command ]] || continue
    if [[ $command =~ $preview_command ]]; then
      checked=$((checked + 1))
      check_preview "${BASH_REMATCH[4]}"
    fi
    if [[ $command == *.sh* ]]; then check_scripts "$command"; fi
    if [[ $command == */* ]]; then check_paths "$command"; fi
    if [[ $command == *build*/* ]]; then check_programs "$command"; fi
    if [[ $command == *[A-Z]=* || $command == *MOSARO_* ]]; then check_variables "$command"; fi
    if [[ $command =~ $ctest_filter ]]; then
      checked=$((checked + 1))
      grep -qE -- "${BASH_REMATCH[1]}" <<<"$ctest_names" || fail "no ctest entry matches ${BASH_REMATCH[1]}"
    fi
    if [[ $command =~ $test_name ]]; then
      checked=$((checked + 1))
      grep -qx "$command" <<<"$ctest_names" || is_program "$command" || fail "no test or program $command"
    fi
  done < <(sed -E 's/&&|;| # /\n/g' <<<"$code")
  if [[ $code =~ $code_name && $code != MOSARO_* ]]; then check_code_name "$code"; fi
  # An option written alone on the preview tool's page is one of its options.
  if [[ $where == docs/preview.md:* && $code =~ $lone_option ]]; then
    checked=$((checked + 1))
    option=${BASH_REMATCH[1]} found=""
    for sub in top $subcommands; do if has_option "$sub" "$option"; then found=yes; fi; done
    [[ -n $found ]] || fail "mosaro-preview has no option $option"
  fi
done < <(code_pieces)

echo "docs: $checked names checked, $failures missing"
[[ $checked -gt 0 && $failures -eq 0 ]]
