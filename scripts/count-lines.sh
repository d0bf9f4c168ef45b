#!/usr/bin/env bash
# Prints one line: the program's lines (src/ and scripts/), the tests' lines (tests/) and the
# tests' share of the program, blank and comment lines not counted. Files of the working tree are
# counted, tracked or new (not ignored); without git, every file found. It only reports.
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here" || exit 0
cpp() { xargs -r cat 2>/dev/null | grep -c -v -E '^\s*(//.*|\*.*|/\*.*)?$'; }
shl() { xargs -r cat 2>/dev/null | grep -c -v -E '^\s*(#.*)?$'; }
files() { # files FOLDER EXTENSION...
  local folder=$1
  shift
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    local patterns=()
    for ext in "$@"; do patterns+=("$folder/*.$ext"); done
    git ls-files --cached --others --exclude-standard -- "${patterns[@]}" | sort -u
  else
    local names=()
    for ext in "$@"; do names+=(-o -name "*.$ext"); done
    find "$folder" -type f \( "${names[@]:1}" \)
  fi
}
code=$(($(files src cpp h | cpp) + $(files scripts sh | shl)))
tests=$(($(files tests cpp h | cpp) + $(files tests sh | shl)))
echo "lines: program $code, tests $tests ($((code > 0 ? tests * 100 / code : 0)) % of the program)"
