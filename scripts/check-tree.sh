#!/usr/bin/env bash
# Checks two rules of CODING.md that a reader cannot see from one file. The folder dependencies,
# on the #include lines below src/: no cycle between folders, the base folder platform/ uses
# nothing else, and the logic folders use neither widgets (a ui/ folder) nor an adapter (a folder
# below platform/). The member names: no "m_" prefix (members end in "_"). Prints every offence
# and fails when there is one.
set -euo pipefail
src=$(cd "$(dirname "$0")/../src" && pwd)

# One "from to file" line per include of another folder's header.
edges=$(cd "$src" && find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort | while read -r file; do
  from=$(dirname "$file")
  sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file" | while read -r inc; do
    to=$(dirname "$inc")
    [ "$to" != "$from" ] && [ "$to" != . ] && echo "$from $to $file"
  done
done)

status=0
logic='^(res|log|settings|details|shell|app)$'
while read -r from to file; do
  [ -n "$from" ] || continue
  if [ "$from" = platform ]; then
    echo "platform/ is the base and must not include $to/: $file"
    status=1
  elif [[ $from =~ $logic ]] && { [[ $to == */ui ]] || [[ $to == platform/* ]]; }; then
    echo "logic must not include widgets or adapters ($to/): $file"
    status=1
  fi
done <<<"$edges"

# tsort names the folders of each cycle on standard error; show the includes that close them.
cycle=$(awk 'NF { print $1, $2 }' <<<"$edges" | tsort 2>&1 >/dev/null || true)
if [ -n "$cycle" ]; then
  loop=$(sed -n 's/^tsort: //p' <<<"$cycle" | grep -v 'input contains a loop' | sort -u | tr '\n' ' ')
  echo "a cycle between the folders $loop:"
  awk -v loop=" $loop" 'index(loop, " " $1 " ") && index(loop, " " $2 " ") {
    print "  " $3 ": " $1 " -> " $2 }' <<<"$edges"
  status=1
fi

if grep -rnE '\bm_[A-Za-z]' "$src" --include='*.h' --include='*.cpp'; then
  echo "members are named name_, not m_name (CODING.md)"
  status=1
fi

[ $status = 0 ] && echo "folder dependencies and member names follow CODING.md"
exit $status
