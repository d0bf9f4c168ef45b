#!/usr/bin/env bash
# pagewarden-log on data files in a temporary folder: the numbers, the list forms, the
# catalogue, appending, and the exit codes of failures.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../support/cli.sh"
TOOL="$PW_BUILD_DIR/pagewarden-log"
F="$T/Pagewarden.xml"
TRAILER=$'</document>\n<!--\n<!DOCTYPE article PUBLIC "-//Davenport//DTD DocBook V3.0//EN" "">\n-->'
{
  sample_head
  record 1.2.2026 10:00:00 3 10 3 eva 'a,b "c"'
  record 2.2.2026 11:00:00 2 0 0x jan 'tab	in'
  printf '\t</printed>\n%s\n' "$TRAILER"
} > "$F"

# usage: the sums, the maximum and the share; a cartridge the catalogue lacks is named on
# standard error.
check "usage" $'best=5\nnormal=10\neconomic=3\nmaximum=100\nshare=18' \
  "$("$TOOL" usage --file "$F" --cartridge 'Černá 1')"
check "usage without match" $'best=5\nnormal=10\neconomic=3\nmaximum=0\nshare=0' \
  "$("$TOOL" usage --file "$F" --cartridge 'černá 1' 2>"$T/warning")"
check "usage without match warns" 1 "$(grep -c 'černá 1' "$T/warning")"
rm "$T/warning"
# Without --cartridge the profile's option names the cartridge; its share is capped.
printf '[Settings]\nCartridge=Other\n' > "$XDG_CONFIG_HOME/Quorbel/Pagewarden.conf"
check "usage from profile" $'best=5\nnormal=10\neconomic=3\nmaximum=3\nshare=100' \
  "$("$TOOL" usage --file "$F" 2>&1)"

# list: seven tab-separated fields, a tab in a value shown as a blank; CSV quotes what needs
# it and ends its lines with CR LF.
check "list" $'1.2.2026\t10:00:00\t3\t10\t3\teva\ta,b "c"\n2.2.2026\t11:00:00\t2\t0\t0x\tjan\ttab in' \
  "$("$TOOL" list --file "$F")"
check "csv" $'date,time,best,normal,economic,user,remark\r\n1.2.2026,10:00:00,3,10,3,eva,"a,b ""c"""\r\n2.2.2026,11:00:00,2,0,0x,jan,tab\tin\r' \
  "$("$TOOL" list --csv --file "$F")"

# Cells a spreadsheet would run as formulas are neutralised, plain numbers are not; the
# semicolon form for spreadsheets in Czech locales starts with a byte order mark.
{
  sed -n '1,/<printed>/p' "$F"
  record 3.2.2026 12:00:00 -2 +1 '-1+2' '=HYPERLINK("x")' '@cmd;x'
  printf '\t</printed>\n%s\n' "$TRAILER"
} >"$T/formula.xml"
check "csv formulas" $'3.2.2026,12:00:00,-2,+1,\'-1+2,"\'=HYPERLINK(""x"")",\'@cmd;x\r' \
  "$("$TOOL" list --csv --file "$T/formula.xml" | tail -n 1)"
check "csv semicolon" $'\xef\xbb\xbfdate;time;best;normal;economic;user;remark\r\n3.2.2026;12:00:00;-2;+1;\'-1+2;"\'=HYPERLINK(""x"")";"\'@cmd;x"\r' \
  "$("$TOOL" list --csv-semicolon --file "$T/formula.xml")"
rm "$T/formula.xml"

check "catalogue" $'Černá 1\t100\tA 1, B 2\nOther\t3\t' "$("$TOOL" catalogue --file "$F")"

# append: the watcher's record, stamped now, with a line break in a value turned into a blank.
"$TOOL" append --file "$F" --best 4 --normal 0 --economic 0 --user $'x\ny' --remark 'doc'
check "append exit" 0 "$?"
check "appended record" $'4\t0\t0\tx y\tdoc' "$("$TOOL" list --file "$F" | tail -n 1 | cut -f 3-)"
check "appended date" 1 "$("$TOOL" list --file "$F" | tail -n 1 | cut -f 1 | grep -c .)"

# Writers running at once wait for each other: every one of 20 parallel appends lands.
cp "$F" "$T/parallel.xml"
for i in $(seq 1 20); do
  "$TOOL" append --file "$T/parallel.xml" --best "$i" --normal 0 --economic 0 --user u --remark r \
    2>>"$T/parallel.err" &
done
wait
check "parallel appends land" 23 "$("$TOOL" list --file "$T/parallel.xml" | wc -l)"
check "parallel appends quiet" "" "$(cat "$T/parallel.err")"
check "parallel appends leave no files" "" "$(ls "$T" | grep -v -e '^Pagewarden.xml$' -e '^parallel' -e home -e config)"
rm "$T"/parallel.*

# Without --file the data file beside the tool is used.
mkdir "$T/bin"
cp "$TOOL" "$T/bin/"
cp "$F" "$T/bin/Pagewarden.xml"
check "beside the tool" 3 "$("$T/bin/pagewarden-log" list | wc -l)"

# Failures: the program's message on standard error and exit 1; bad arguments exit 2.
err=$("$TOOL" usage --file "$T/missing.xml" --cartridge x 2>&1 >/dev/null)
check "missing file exit" 1 "$?"
check "missing file message" "Chyba: Nelze otevřít XML datový soubor!" "$err"

# --help and --version answer on standard output, wherever they stand.
out=$("$TOOL" --help 2>/dev/null)
check "help exit" 0 "$?"
check "help text" "Použití:" "${out%% *}"
check "help names --csv-semicolon" 2 "$(grep -c -- --csv-semicolon <<<"$out")"
check "help after a command" "$out" "$("$TOOL" list --help 2>/dev/null)"
check "version" "pagewarden-log: Pagewarden verze 2.1.2" "$("$TOOL" --version 2>/dev/null)"

for args in "" "bogus" "usage --csv" "list --file" "list --csv --csv" \
  "append --best 1 --normal 1 --economic 1 --user u" \
  "append --best 1x --normal 1 --economic 1 --user u --remark r" \
  "append --best 2147483648 --normal 1 --economic 1 --user u --remark r" \
  "append --best 1 --normal -1 --economic 1 --user u --remark r" \
  "list --csv --csv-semicolon" \
  "usage --file a --file b"; do
  # shellcheck disable=SC2086
  out=$("$TOOL" $args 2>&1)
  check "exit for '$args'" 2 "$?"
  check "usage line for '$args'" "Použití:" "${out%% *}"
done

finish "cli: all checks passed"
