#!/usr/bin/env bash
# The print log in the Details dialog, opened from the tray menu: one click edits a cell, Uložit
# writes the log back, OK closes the dialog, and the data file holds the edit.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup details
e2e_profile Printer=Office "Cartridge=HP 305 černá" FirstTime=0 AutoMonitor=0 WindowsRun=0

# Three records in the shipped data file.
python3 - "$E2E_DATA" <<'PY'
import sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
records = "".join(
    f"\t\t<data>\n\t\t\t<date>{d}.12.2026</date>\n\t\t\t<time>10:00:00</time>\n"
    f"\t\t\t<best>{b}</best>\n\t\t\t<normal>{n}</normal>\n\t\t\t<economic>0</economic>\n"
    f"\t\t\t<user>eva</user>\n\t\t\t<remark>{r}</remark>\n\t\t</data>\n"
    for d, b, n, r in [(1, 2, 3, "dopis"), (2, 0, 5, "faktura"), (3, 1, 0, "foto")])
open(path, "w", encoding="utf-8").write(text.replace("\t<printed>\n", "\t<printed>\n" + records, 1))
PY

e2e_start
tray_icon_centre >/dev/null || fail "no tray icon"
open_tray_menu
xdotool key --delay 80 Down Down Down Down Return  # the fourth entry: Detaily o tisku...
win=$(wait_window "Detailní informace o tisku" 5) || fail "Details did not open"
sleep 0.5
shot 01-details

# Click the Normal cell of the second row (the list's header row and row height come from the
# desktop's font; these offsets are measured on the test desktop).
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + 397)) $((Y + 103)) click 1
sleep 0.3
xdotool type --delay 50 "7"
sleep 0.2
shot 02-editing
xdotool mousemove $((X + 239)) $((Y + 298)) click 1  # Uložit
sleep 0.5
shot 03-saved
grep -q "<normal>57</normal>" "$E2E_DATA" || fail "Uložit did not write the edited cell"
xdotool mousemove $((X + 538)) $((Y + 427)) click 1  # OK
wait_no_window "Detailní informace o tisku" 5 || fail "OK did not close Details"
grep -c "<data>" "$E2E_DATA" | grep -qx 3 || fail "the log does not hold three records"
kill -0 "$E2E_PID" || fail "the program ended"
echo "details: ok"
