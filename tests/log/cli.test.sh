#!/usr/bin/env bash
# pagewarden-log on data files in a temporary folder: what only the tool itself does (its output
# forms, the profile's cartridge, the data file beside it, appends by several processes at once,
# the Czech messages and the exit codes). The reading and writing rules are the logic tests' part.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../support/cli.sh"
TOOL="$PW_BUILD_DIR/pagewarden-log"
F="$T/Pagewarden.xml"
{
  sample_head
  record 1.2.2026 10:00:00 3 10 3 eva 'a,b "c"'
  record 2.2.2026 11:00:00 2 0 0x jan 'tab	in'
  record 3.2.2026 12:00:00 -2 +1 '-1+2' '=HYPERLINK("x")' '@cmd;x'
  printf '\t</printed>\n</document>\n'
} > "$F"

# usage: the sums, the maximum and the share; a cartridge the catalogue lacks is named on
# standard error, before the report.
check "usage" $'best=3\nnormal=11\neconomic=2\nmaximum=100\nshare=16' \
  "$("$TOOL" usage --file "$F" --cartridge 'Černá 1')"
check "usage without match" "pagewarden-log: upozornění: zásobník 'černá 1' v katalogu není \
(názvy se porovnávají přesně)"$'\nbest=3\nnormal=11\neconomic=2\nmaximum=0\nshare=0' \
  "$("$TOOL" usage --file "$F" --cartridge 'černá 1' 2>&1)"
# Without --cartridge the profile's option names the cartridge; its share is capped.
printf '[Settings]\nCartridge=Other\n' > "$XDG_CONFIG_HOME/Quorbel/Pagewarden.conf"
check "usage from profile" $'best=3\nnormal=11\neconomic=2\nmaximum=3\nshare=100' \
  "$("$TOOL" usage --file "$F" 2>&1)"

# list: seven tab-separated fields, a tab in a value shown as a blank. CSV quotes what needs it,
# ends its lines with CR LF and neutralises cells a spreadsheet would run as formulas, but not
# plain numbers; the semicolon form for Czech spreadsheets starts with a byte order mark.
check "list" $'1.2.2026\t10:00:00\t3\t10\t3\teva\ta,b "c"\n2.2.2026\t11:00:00\t2\t0\t0x\tjan\ttab in
3.2.2026\t12:00:00\t-2\t+1\t-1+2\t=HYPERLINK("x")\t@cmd;x' "$("$TOOL" list --file "$F")"
check "csv" $'date,time,best,normal,economic,user,remark\r\n1.2.2026,10:00:00,3,10,3,eva,"a,b ""c"""\r
2.2.2026,11:00:00,2,0,0x,jan,tab\tin\r\n3.2.2026,12:00:00,-2,+1,\'-1+2,"\'=HYPERLINK(""x"")",\'@cmd;x\r' \
  "$("$TOOL" list --csv --file "$F")"
check "csv semicolon" $'\xef\xbb\xbfdate;time;best;normal;economic;user;remark\r
3.2.2026;12:00:00;-2;+1;\'-1+2;"\'=HYPERLINK(""x"")";"\'@cmd;x"\r' \
  "$("$TOOL" list --csv-semicolon --file "$F" | sed -n '1p;$p')"

check "catalogue" $'Černá 1\t100\tA 1, B 2\nOther\t3\t' "$("$TOOL" catalogue --file "$F")"

# append: the record stamped now.
"$TOOL" append --file "$F" --best 4 --normal 0 --economic 0 --user x --remark 'doc'
check "append exit" 0 "$?"
check "appended record" $'4\t0\t0\tx\tdoc' "$("$TOOL" list --file "$F" | tail -n 1 | cut -f 3-)"
check "appended date" 1 "$("$TOOL" list --file "$F" | tail -n 1 | cut -f 1 | grep -c .)"

# Writers running at once wait for each other: every one of 20 parallel appends lands.
mkdir "$T/parallel"
cp "$F" "$T/parallel/Pagewarden.xml"
for i in $(seq 1 20); do
  "$TOOL" append --file "$T/parallel/Pagewarden.xml" --best "$i" --normal 0 --economic 0 \
    --user u --remark r 2>>"$T/parallel.err" &
done
wait
check "parallel appends land" 24 "$("$TOOL" list --file "$T/parallel/Pagewarden.xml" | wc -l)"
check "parallel appends quiet" "" "$(cat "$T/parallel.err")"
check "parallel appends leave no files" "Pagewarden.xml" "$(ls "$T/parallel")"

# Without --file the data file beside the tool is used.
mkdir "$T/bin"
cp "$TOOL" "$T/bin/"
cp "$F" "$T/bin/Pagewarden.xml"
check "beside the tool" 4 "$("$T/bin/pagewarden-log" list | wc -l)"

# Failures: the program's message on standard error and exit 1; bad arguments exit 2.
check "missing file" $'Chyba: Nelze otevřít XML datový soubor!\nrc=1' \
  "$("$TOOL" usage --file "$T/missing.xml" --cartridge x 2>&1 >/dev/null; echo "rc=$?")"

# --help and --version answer on standard output, wherever they stand.
out=$("$TOOL" --help 2>/dev/null)
check "help exit" 0 "$?"
check "help text" "Použití:" "${out%% *}"
check "help after a command" "$out" "$("$TOOL" list --help 2>/dev/null)"

A="append --normal 1 --economic 1 --user u"
for args in "" "bogus" "usage --csv" "list --file" "list --csv --csv-semicolon" \
  "usage --file a --file b" "$A --best 1" "$A --remark r --best 1x" \
  "$A --remark r --best 2147483648" "$A --remark r --best -1"; do
  # shellcheck disable=SC2086
  out=$("$TOOL" $args 2>&1)
  check "exit for '$args'" 2 "$?"
  check "usage line for '$args'" "Použití:" "${out%% *}"
done

finish "cli: all checks passed"
