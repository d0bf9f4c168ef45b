#!/usr/bin/env bash
# The program's command line: --help and --version answer and end, without a desktop and
# without touching the profile or the autostart folder.
set -u
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
export HOME="$T/home" XDG_CONFIG_HOME="$T/config" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

out=$(timeout 10 "$PW_BUILD_DIR/pagewarden" --help 2>"$T/err")
code=$?
[ "$code" = 0 ] || fail "--help exit status $code"
grep -q -- '--version' <<<"$out" || fail "--help does not list --version: $out"
out=$(timeout 10 "$PW_BUILD_DIR/pagewarden" --version 2>>"$T/err")
code=$?
[ "$code" = 0 ] || fail "--version exit status $code"
[ "$out" = "Pagewarden verze 2.1.2" ] || fail "--version printed: $out"
[ -s "$T/err" ] && fail "standard error: $(cat "$T/err")"
[ -z "$(ls -A "$XDG_CONFIG_HOME")" ] || fail "the program wrote $(ls -R "$XDG_CONFIG_HOME")"

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "command line: all checks passed"
