#!/usr/bin/env bash
# A user prints two pages to the watched printer, which reports four inks: within 5 s the data
# file holds one record of two pages by that user and, with PopStatus on, the status window is up
# with the result and the printer's inks.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup print
e2e_print_server Kancelar
# The scheduler keeps a printer's last report of its markers in printers.conf; one written there
# is what a real printer would have reported while printing.
"$E2E_SANDBOX" stop "$E2E_DIR/cups"
sed -i '/^<\/Printer>/i\
Attribute marker-colors \\#000000,\\#00FFFF,\\#FF00FF,\\#FFFF00\
Attribute marker-levels 80,45,-1,8\
Attribute marker-names Black,Cyan,Magenta,Yellow' "$E2E_DIR/cups/printers.conf"
e2e_print_server

e2e_profile Printer=Kancelar "Cartridge=HP 305 černá" FirstTime=0 WindowsRun=0 PopStatus=1
e2e_start
tray_icon_centre >/dev/null || fail "no tray icon"
sleep 1

make_pdf "$E2E_DIR/letter.pdf" 2
lp -d Kancelar -t "Dopis pro Evu" "$E2E_DIR/letter.pdf" >/dev/null || fail "lp failed"
poll 5 grep -q "<remark>Dopis pro Evu</remark>" "$E2E_DATA" || fail "no record within 5 s"
[ "$(grep -c '<data>' "$E2E_DATA")" = 1 ] || fail "not one record"
# The test queue's default class is "normal".
grep -q "<normal>2</normal>" "$E2E_DATA" || fail "the record is not of 2 pages"
status=$(wait_window "Stav programu Pagewarden" 3) || fail "the status window did not come up"
# The cyan ink's bar is filled in its own colour.
poll 3 eval 'import -window "$status" -depth 8 rgb:- | od -An -v -tx1 -w3 | grep -x " 00 ff ff" >/dev/null' ||
  fail "the status window shows no inks"
echo "print: ok"
