#!/usr/bin/env bash
# The print log in the Details dialog, opened from the icon's menu and worked by its mnemonics:
# Přidat adds a row, Uložit writes the log back, OK closes the dialog.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup details
e2e_profile Printer=Office "Cartridge=HP 305 černá" FirstTime=0 AutoMonitor=0 WindowsRun=0
e2e_start
open_tray_menu
xdotool key --delay 80 Down Down Down Down Return  # the fourth entry: Detaily o tisku...
win=$(wait_window "Detailn.* informace o tisku" 5) || fail "Details did not open"
sleep 0.5
shot 01-details

keys_to "$win" alt+p alt+u  # Přidat, Uložit
sleep 0.5
grep -q "<remark>Dokument přidán ručně.</remark>" "$E2E_DATA" || fail "Uložit did not write the new row"
keys_to "$win" alt+o
wait_no_window "Detailn.* informace o tisku" 5 || fail "OK did not close Details"
kill -0 "$E2E_PID" || fail "the program ended"
echo "details: ok"
