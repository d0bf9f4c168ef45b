#!/usr/bin/env bash
# The print log in the Details dialog, opened from the icon's menu and worked by its mnemonics:
# Přidat adds a row, Uložit writes the log back, OK closes the dialog. The print server is frozen,
# as one whose host hung (it accepts connections and never answers): no window may wait for it,
# so the status window, Settings and Details each come up at once from the icon's menu.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup details
e2e_print_server Kancelar
server=$(cat "$E2E_DIR/cups/cupsd.pid")
kill -STOP "$server"
e2e_profile Printer=Kancelar "Cartridge=HP 305 černá" FirstTime=0 WindowsRun=0 AutoMonitor=1
e2e_start
tray_icon_centre >/dev/null || fail "no tray icon"
sleep 2  # the first looks at the queue are out and hanging

# open_from_menu DOWNS TITLE: chooses the menu's DOWNS-th entry and sets WIN to the window, which
# must come up below the 1 s and more a hung server used to cost, with room for a loaded machine.
open_from_menu() {
  open_tray_menu
  xdotool key --delay 80 $(printf 'Down %.0s' $(seq 1 "$1"))
  local ms started=$(date +%s%N)
  xdotool key Return
  WIN=$(wait_window "$2" 10) || fail "'$2' did not open"
  ms=$((($(date +%s%N) - started) / 1000000))
  ((ms <= 800)) || fail "'$2' took $ms ms with a hung print server"
}

for entry in "5 Stav programu Pagewarden" "3 Nastavení programu Pagewarden"; do
  open_from_menu "${entry%% *}" "${entry#* }"
  keys_to "$WIN" Escape
  wait_no_window "${entry#* }" 5 || fail "'${entry#* }' did not close"
done

open_from_menu 4 "Detailní informace o tisku"
sleep 0.5
keys_to "$WIN" alt+p alt+u  # Přidat, Uložit
sleep 0.5
grep -q "<remark>Dokument přidán ručně.</remark>" "$E2E_DATA" || fail "Uložit did not write the new row"
keys_to "$WIN" alt+o
wait_no_window "Detailní informace o tisku" 5 || fail "OK did not close Details"
kill -0 "$E2E_PID" || fail "the program ended"
kill -CONT "$server"
echo "details: ok"
