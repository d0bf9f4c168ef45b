#!/usr/bin/env bash
# Checks the rules of CODING.md that a reader cannot see from one file.
#  - The layers, on the #include lines below src/: base/ includes nothing else; the logic folders
#    include base/ and each other, never a widget folder (ui/), an adapter or a program; an
#    adapter includes base/ and the logic, never a widget, a program or another adapter; no cycle
#    between folders.
#  - tests/ mirrors src/: every folder of unit or widget tests has its folder in src/.
#  - Member names: no "m_" prefix (members end in "_").
# Prints every offence and fails when there is one.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
src=$top/src

# One "from to file" line per include of another folder's header.
edges=$(cd "$src" && find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort | while read -r file; do
  from=$(dirname "$file")
  sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file" | while read -r inc; do
    to=$(dirname "$inc")
    [ "$to" != "$from" ] && [ "$to" != . ] && echo "$from $to $file"
  done
done)

status=0
offence() { echo "$1"; status=1; }
logic='^(res|log|settings|details|shell|app)$'
while read -r from to file; do
  [ -n "$from" ] || continue
  if [ "$from" = base ]; then
    offence "base/ includes nothing above it ($to/): $file"
  elif [[ $from =~ $logic ]] && ! { [ "$to" = base ] || [[ $to =~ $logic ]]; }; then
    offence "the logic includes only base/ and the logic ($to/): $file"
  elif [[ $from == adapters/* ]] && ! { [ "$to" = base ] || [[ $to =~ $logic ]]; }; then
    offence "an adapter includes only base/ and the logic ($to/): $file"
  elif [[ $from == */ui ]] && [ "$to" = cli ]; then
    offence "widgets never include a program ($to/): $file"
  fi
done <<<"$edges"

# tsort names the folders of each cycle on standard error; show the includes that close them.
cycle=$(awk 'NF { print $1, $2 }' <<<"$edges" | tsort 2>&1 >/dev/null || true)
if [ -n "$cycle" ]; then
  loop=$(sed -n 's/^tsort: //p' <<<"$cycle" | grep -v 'input contains a loop' | sort -u | tr '\n' ' ')
  offence "a cycle between the folders $loop:"
  awk -v loop=" $loop" 'index(loop, " " $1 " ") && index(loop, " " $2 " ") {
    print "  " $3 ": " $1 " -> " $2 }' <<<"$edges"
fi

# Folders of tests that run the whole program or its scripts have no one source folder.
while read -r dir; do
  rel=${dir#"$top/tests/"}
  case $rel in support* | e2e* | integration* | packaging*) continue ;; esac
  [ -d "$src/$rel" ] || offence "tests/$rel has no src/$rel to mirror"
done < <(find "$top/tests" -mindepth 1 -type d | sort)

if grep -rnE '\bm_[A-Za-z]' "$src" --include='*.h' --include='*.cpp'; then
  offence "members are named name_, not m_name (CODING.md)"
fi

[ $status = 0 ] && echo "the layers, the tests' mirror and member names follow CODING.md"
exit $status
