#!/usr/bin/env bash
# The print log in the Details dialog, opened from the tray menu and worked by its mnemonics, on
# an English desktop: Přidat adds a row, Uložit writes the log back, Export asks in Czech for a
# file and again before it replaces one, OK closes the dialog.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup details
e2e_profile Printer=Office "Cartridge=HP 305 černá" FirstTime=0 AutoMonitor=0 WindowsRun=0
# (With a locale this machine lacks, the old-style window name is mangled: titles are matched
# on their ASCII part.)
details="Detailn.* informace o tisku"
LANG=en_US.UTF-8 LANGUAGE=en e2e_start
open_tray_menu
xdotool key --delay 80 Down Down Down Down Return  # the fourth entry: Detaily o tisku...
win=$(wait_window "$details" 5) || fail "Details did not open"
sleep 0.5
shot 01-details

keys_to "$win" alt+p alt+u  # Přidat, Uložit
sleep 0.5
grep -q "<remark>Dokument přidán ručně.</remark>" "$E2E_DATA" || fail "Uložit did not write the new row"

echo "stará kopie" >"$E2E_DIR/kopie.xml"
keys_to "$win" alt+x
chooser=$(wait_window "Export dat" 5) || fail "Export did not ask for a file"
sleep 0.5
shot 02-export
keys_to "$chooser" ctrl+a
xdotool type --delay 20 "$E2E_DIR/kopie.xml"
xdotool key Return
for _ in $(seq 1 30); do
  [ "$(xdotool search --onlyvisible --name '^Export dat$' | wc -l)" -ge 2 ] && break
  sleep 0.1
done
sleep 0.5
shot 03-overwrite
xdotool key alt+a  # &Ano
wait_no_window "Export dat" 5 || fail "the export dialogs did not close"
grep -q "Dokument přidán ručně." "$E2E_DIR/kopie.xml" || fail "Export did not replace the file"

keys_to "$win" alt+o
wait_no_window "$details" 5 || fail "OK did not close Details"
kill -0 "$E2E_PID" || fail "the program ended"
echo "details: ok"
