#!/usr/bin/env bash
# The program's command line: --help and --version answer and end, without a desktop and
# without touching the profile or the autostart folder.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../support/cli.sh"
export QT_QPA_PLATFORM=offscreen
out=$(timeout 10 "$PW_BUILD_DIR/pagewarden" --help 2>"$T/err")
check "--help exit" 0 "$?"
check "--help lists --version" yes "$(grep -q -- '--version' <<<"$out" && echo yes)"
check "--version" "Pagewarden verze 2.1.2 rc=0" \
  "$(timeout 10 "$PW_BUILD_DIR/pagewarden" --version 2>>"$T/err") rc=$?"
check "standard error" "" "$(cat "$T/err")"
check "nothing written" "" "$(find "$HOME" "$XDG_CONFIG_HOME" -type f)"
finish "command line: all checks passed"
