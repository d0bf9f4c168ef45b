#!/usr/bin/env bash
# A user prints two pages to the watched printer: within 5 s the data file holds one record of
# two pages by that user and, with PopStatus on, the status window is up with the result.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup print
e2e_print_server Kancelar

e2e_profile Printer=Kancelar "Cartridge=HP 305 černá" FirstTime=0 WindowsRun=0 PopStatus=1
e2e_start
tray_icon_centre >/dev/null || fail "no tray icon"
sleep 1

gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -o "$E2E_DIR/letter.pdf" \
  -c "/Helvetica findfont 20 scalefont setfont 1 1 2 { 72 700 moveto (Dopis) show showpage } for"
lp -d Kancelar -t "Dopis pro Evu" "$E2E_DIR/letter.pdf" >/dev/null || fail "lp failed"
for _ in $(seq 1 50); do
  grep -q "<remark>Dopis pro Evu</remark>" "$E2E_DATA" && break
  sleep 0.1
done
grep -q "<remark>Dopis pro Evu</remark>" "$E2E_DATA" || fail "no record within 5 s"

python3 - "$E2E_DATA" "$(id -un)" <<'PY' || fail "the record is not 2 pages by this user"
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
records = re.findall(r"<data>(.*?)</data>", text, re.S)
assert len(records) == 1, records
field = lambda name: re.search(f"<{name}>(.*)</{name}>", records[0]).group(1)
assert sum(int(field(k)) for k in ("best", "normal", "economic")) == 2
assert field("user") == sys.argv[2], field("user")
PY
wait_window "Stav programu Pagewarden" 3 >/dev/null || fail "the status window did not come up"
sleep 0.5
shot 01-printed
echo "print: ok"
