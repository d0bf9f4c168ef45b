#!/usr/bin/env bash
# Checks the naming rule of CODING.md (the readability-identifier-naming options of .clang-tidy)
# over every source, test and benchmark file compiled in a build. Usage: check-names.sh [BUILD_DIR]
# (default build/); the build must have been configured with CMAKE_EXPORT_COMPILE_COMMANDS=ON
# and built, so that the generated headers exist. Windows-only files are checked through the
# Windows build's database when it has one (scripts/test-windows.sh writes it).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$here/build}")
log="$build/check-names.log"
: >"$log"

check() {  # database folder, files to take (a regular expression), extra clang-tidy arguments...
  local db=$1 take=$2
  shift 2
  local files
  files=$(python3 - "$db/compile_commands.json" "$take" <<'PY'
import json, re, sys
seen = set()
for entry in json.load(open(sys.argv[1])):
    f = entry["file"]
    if "_autogen" in f or f in seen or not re.search(sys.argv[2], f):
        continue
    seen.add(f)
    print(f)
PY
)
  [ -n "$files" ] || return 0
  # Compiler warnings are the build's business; only the naming check's findings count here.
  run-clang-tidy -p "$db" -j"$(nproc)" -quiet -checks='-*,readability-identifier-naming' \
    -header-filter="$here/(src|tests|bench|fuzz)/" -extra-arg=-w -extra-arg=-fno-color-diagnostics \
    "$@" $files >>"$log" 2>&1 || true
}

check "$build" '/(src|tests|bench|fuzz)/'
windows="$here/build-windows/pw"
if [ -f "$windows/compile_commands.json" ] && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  # Only what the Linux build does not compile, parsed as the cross compiler sees it: its C++
  # library in place of the host's.
  mingw=(-extra-arg=--target=x86_64-w64-mingw32 -extra-arg=-nostdinc++)
  while read -r dir; do
    mingw+=(-extra-arg=-isystem"$dir")
  done < <(echo | x86_64-w64-mingw32-g++-posix -E -x c++ - -v 2>&1 |
    sed -n '/search starts here/,/End of search/p' | grep -E '^ .*/c\+\+' | sed 's/^ //')
  check "$windows" '/win32/' "${mingw[@]}"
fi

findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E "(warning|error): " | sort -u || true)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "names: $(echo "$findings" | wc -l) finding(s); the rule is in CODING.md, the full log in $log"
  exit 1
fi
echo "names: every function, method, class, member and constant follows the rule"
