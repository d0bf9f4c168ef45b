#!/usr/bin/env bash
# A first start on a real desktop: Settings opens by itself, and the test printer with the
# catalogue's second cartridge, confirmed with OK, is stored with FirstTime = 0. The icon's menu
# then shows the status window, a second start (a launcher click) brings up the running copy's
# one and leaves, and Konec ends the program with status 0.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup settings
e2e_print_server Kancelar

e2e_start
settings=$(wait_window "Nastavení programu Pagewarden" 15) || fail "the first start did not open Settings"
sleep 0.5
shot 01-settings-first-start
keys_to "$settings" alt+z Down  # the catalogue's second cartridge
sleep 0.3
keys_to "$settings" Return  # the default button, OK
wait_no_window "Nastavení programu Pagewarden" 5 || fail "OK did not close Settings"
wait_profile FirstTime 0 || fail "FirstTime is not 0"
[ "$(profile_value Printer)" = Kancelar ] || fail "Printer is '$(profile_value Printer)'"
[ "$(profile_value Cartridge)" = "HP 305XL černá" ] || fail "Cartridge is '$(profile_value Cartridge)'"

open_tray_menu
shot 02-menu
# The fifth entry (separators are skipped) is "Zobrazit stav programu...".
xdotool key --delay 80 Down Down Down Down Down Return
status=$(wait_window "Stav programu Pagewarden" 5) || fail "Show status did not show the status window"
sleep 0.5
shot 03-status-window
xprop -id "$status" _NET_WM_ICON | grep -q 'not found' && fail "the status window has no icon"
keys_to "$status" Escape
wait_no_window "Stav programu Pagewarden" 5 || fail "Escape did not hide the status window"

timeout 10 "$E2E_DIR/bin/pagewarden" 2>/dev/null || fail "the second start failed"
status=$(wait_window "Stav programu Pagewarden" 5) || fail "the second start showed no status window"
[ "$(pgrep -c -f "^$E2E_DIR/bin/pagewarden")" = 1 ] || fail "a second instance kept running"
keys_to "$status" Escape

open_tray_menu
xdotool key --delay 80 Up Return  # the last entry: Konec
for _ in $(seq 1 50); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && fail "Konec did not end the program"
wait "$E2E_PID"
code=$?
E2E_PID=
[ "$code" = 0 ] || fail "exit status $code"
echo "settings: ok"
