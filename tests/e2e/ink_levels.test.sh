#!/usr/bin/env bash
# A printer that reports four inks: the status window shows them below its usual controls and
# compares them with the estimate; a printer that reports none keeps the window as it always was.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup ink_levels
e2e_print_server Inkoustova
"$E2E_SANDBOX" add-printer "$E2E_DIR/cups" Bez 2>/dev/null

# The scheduler keeps a printer's last report of its markers in printers.conf; one written there
# is what a real printer would have reported while printing.
"$E2E_SANDBOX" stop "$E2E_DIR/cups"
python3 - "$E2E_DIR/cups/printers.conf" <<'PY'
import sys
path = sys.argv[1]
text = open(path).read()
start = text.index("<Printer Inkoustova>")
end = text.index("</Printer>", start)
first, sep, rest = text[:end], "</Printer>", text[end + len("</Printer>"):]
report = "\n".join([
    r"Attribute marker-colors \#000000,\#00FFFF,\#FF00FF,\#FFFF00",
    "Attribute marker-levels 80,45,-1,8",
    "Attribute marker-low-levels 10,10,10,10",
    "Attribute marker-names Black,Cyan,Magenta,Yellow",
    "Attribute marker-types ink-cartridge,ink-cartridge,ink-cartridge,ink-cartridge",
])
open(path, "w").write(first + report + "\n" + sep + rest)
PY
eval "$("$E2E_SANDBOX" start "$E2E_DIR/cups")"

# status_height PRINTER: starts the program on it, brings up the status window with a second
# start (as a launcher click does), and prints the window's height.
status_height() {
  e2e_profile "Printer=$1" "Cartridge=HP 305 černá" FirstTime=0 WindowsRun=0
  e2e_start
  tray_icon_centre >/dev/null || fail "no tray icon"
  "$E2E_DIR/bin/pagewarden" 2>/dev/null || fail "the second start did not reach the first"
  local win
  win=$(wait_window "Stav programu Pagewarden" 5) || fail "the status window did not come up"
  sleep 0.5
  shot "status-$1"
  xwininfo -id "$win" | awk '/Height:/ { print $2 }'
  kill "$E2E_PID"
  wait "$E2E_PID" 2>/dev/null || true
}

plain=$(status_height Bez)
with_inks=$(status_height Inkoustova)
echo "status window: $plain px without markers, $with_inks px with four"
((with_inks > plain + 60)) || fail "the ink group did not show ($plain -> $with_inks px)"
echo "ink levels: ok"
