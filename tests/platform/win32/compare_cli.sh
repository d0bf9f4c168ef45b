#!/usr/bin/env bash
# pagewarden-log.exe under Wine against the Linux build's pagewarden-log on one data file with
# CR LF line ends: the same output for every reading command, the same records after an append,
# and the Windows rewrite ending every line in CR LF. The cartridge named by the profile comes
# from the registry on Windows and from the ini file on Linux.
# Usage: compare_cli.sh WINDOWS_EXE LINUX_TOOL (WINEPREFIX and the other Wine variables set).
set -u
WIN=$1
LIN=$2
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
export HOME="$T/home" XDG_CONFIG_HOME="$T/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Quorbel"
failures=0
check() {  # check NAME EXPECTED ACTUAL
  if [[ "$2" != "$3" ]]; then
    echo "FAIL: $1"
    diff <(printf '%s' "$2" | od -c) <(printf '%s' "$3" | od -c) | head -20
    failures=$((failures + 1))
  fi
}
win() { timeout 120 wine "$WIN" "$@"; }

record() {  # record DATE TIME BEST NORMAL ECONOMIC USER REMARK
  printf '\t\t<data>\r\n\t\t\t<date>%s</date>\r\n\t\t\t<time>%s</time>\r\n' "$1" "$2"
  printf '\t\t\t<best>%s</best>\r\n\t\t\t<normal>%s</normal>\r\n' "$3" "$4"
  printf '\t\t\t<economic>%s</economic>\r\n\t\t\t<user>%s</user>\r\n' "$5" "$6"
  printf '\t\t\t<remark>%s</remark>\r\n\t\t</data>\r\n' "$7"
}
{
  printf '<document>\r\n\t<cartridges>\r\n'
  printf '\t\t<cartridge>\r\n\t\t\t<name>Černá 1</name>\r\n\t\t\t<pages>100</pages>\r\n'
  printf '\t\t\t<printer>A 1, B 2</printer>\r\n\t\t</cartridge>\r\n'
  printf '\t\t<cartridge>\r\n\t\t\t<name>Other</name>\r\n\t\t\t<pages>3</pages>\r\n'
  printf '\t\t\t<printer></printer>\r\n\t\t</cartridge>\r\n'
  printf '\t</cartridges>\r\n\t<printed>\r\n'
  record 1.2.2026 10:00:00 3 10 3 eva 'a,b "c"'
  record 2.2.2026 11:00:00 2 0 0x jan '=1+1;tab	in'
  printf '\t</printed>\r\n</document>\r\n'
} >"$T/Pagewarden.xml"
mkdir "$T/win" "$T/lin"
cp "$T/Pagewarden.xml" "$T/win/"
cp "$T/Pagewarden.xml" "$T/lin/"
WF="$T/win/Pagewarden.xml"
LF="$T/lin/Pagewarden.xml"

for args in "usage --cartridge Other" "list" "list --csv" "list --csv-semicolon" "catalogue"; do
  # shellcheck disable=SC2086  # the words are the arguments
  check "$args" "$("$LIN" $args --file "$LF"; echo "rc=$?")" "$(win $args --file "$WF"; echo "rc=$?")"
done
# Messages on standard error end their lines as the console's text does.
check "no such file" "$("$LIN" list --file "$T/none.xml" 2>&1; echo "rc=$?")" \
  "$(win list --file "$T/none.xml" 2>&1 | tr -d '\r'; echo "rc=${PIPESTATUS[0]}")"

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

[[ $failures == 0 ]] && echo "pagewarden-log.exe: same results as the Linux build"
exit $((failures > 0))
