#!/usr/bin/env bash
# pagewarden-log.exe under Wine against the Linux build's pagewarden-log on one data file with
# CR LF line ends: the same output for every reading command, the same records after an append,
# and the Windows rewrite ending every line in CR LF. The cartridge named by the profile comes
# from the registry on Windows and from the ini file on Linux.
# Usage: compare_cli.sh WINDOWS_EXE LINUX_TOOL (WINEPREFIX and the other Wine variables set).
set -u
WIN=$1 LIN=$2
source "$(dirname "${BASH_SOURCE[0]}")/../../support/cli.sh"
EOL=$'\r\n'
win() { timeout 120 wine "$WIN" "$@"; }

WF="$T/win/Pagewarden.xml" LF="$T/lin/Pagewarden.xml"
mkdir "$T/win" "$T/lin"
{
  sample_head
  record 1.2.2026 10:00:00 3 10 3 eva 'a,b "c"'
  record 2.2.2026 11:00:00 2 0 0x jan '=1+1;tab	in'
  printf '\t</printed>\r\n</document>\r\n'
} | tee "$WF" >"$LF"

for args in "usage --cartridge Other" "list" "list --csv" "list --csv-semicolon" "catalogue"; do
  # shellcheck disable=SC2086  # the words are the arguments
  check "$args" "$("$LIN" $args --file "$LF"; echo "rc=$?")" "$(win $args --file "$WF"; echo "rc=$?")"
done

printf '[Settings]\nCartridge=Other\n' >"$XDG_CONFIG_HOME/Quorbel/Pagewarden.conf"
wine reg add 'HKCU\Software\Quorbel\Pagewarden\Settings' /v Cartridge /t REG_SZ /d Other /f \
  >/dev/null 2>&1
check "usage from the profile" "$("$LIN" usage --file "$LF")" "$(win usage --file "$WF")"
wine reg delete 'HKCU\Software\Quorbel\Pagewarden' /f >/dev/null 2>&1

"$LIN" append --best 1 --normal 2 --economic 0 --user ana --remark 'x y' --file "$LF"
win append --best 1 --normal 2 --economic 0 --user ana --remark 'x y' --file "$WF"
# The stamps are each platform's own date and time forms; the rest must agree.
check "append" "$("$LIN" list --file "$LF" | cut -f3-)" "$(win list --file "$WF" | cut -f3-)"
check "CR LF throughout" "0" "$(grep -cv $'\r$' "$WF")"
check "no temporary file left" "Pagewarden.xml" "$(ls "$T/win")"

finish "pagewarden-log.exe: same results as the Linux build"
