#!/usr/bin/env bash
# A first start with no profile at all: the Settings dialog opens by itself and is cancelled, the
# icon sits in the notification area, its menu shows the status window, a second start shows it
# too, and Konec ends the program and leaves the exit values in the profile.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup startup

e2e_start
settings=$(wait_window "Nastavení programu Pagewarden" 15) || fail "the first start did not open Settings"
shot 01-first-start-settings
keys_to "$settings" alt+s  # &Storno
wait_no_window "Nastavení programu Pagewarden" 5 || fail "Storno did not close Settings"
[ -f "$E2E_PROFILE" ] && grep -q '^FirstTime=0' "$E2E_PROFILE" && fail "Storno stored FirstTime"

tray_icon_centre >/dev/null || fail "the icon did not appear in the notification area"
shot 02-tray-icon

open_tray_menu
shot 03-menu
# The fifth entry (separators are skipped) is "Zobrazit stav programu...".
xdotool key --delay 80 Down Down Down Down Down Return
status=$(wait_window "Stav programu Pagewarden" 5) || fail "Show status did not show the status window"
sleep 0.5
shot 04-status-window
xprop -id "$status" _NET_WM_ICON | grep -q 'not found' && fail "the status window has no icon"
keys_to "$status" Escape
wait_no_window "Stav programu Pagewarden" 5 || fail "Escape did not hide the status window"
kill -0 "$E2E_PID" || fail "hiding the status window ended the program"

# A second start while one runs (a launcher click) brings up the running copy's status window
# and leaves at once.
timeout 10 "$E2E_DIR/bin/pagewarden" 2>"$E2E_DIR/second.log" || fail "the second start failed"
status=$(wait_window "Stav programu Pagewarden" 5) || fail "the second start showed no status window"
[ "$(pgrep -c -f "^$E2E_DIR/bin/pagewarden")" = 1 ] || fail "a second instance kept running"
keys_to "$status" Escape
wait_no_window "Stav programu Pagewarden" 5 || fail "Escape did not hide the status window"

open_tray_menu
xdotool key --delay 80 Up Return  # the last entry: Konec
for _ in $(seq 1 50); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && fail "Konec did not end the program"
wait "$E2E_PID"
code=$?
E2E_PID=
[ "$code" = 0 ] || fail "exit status $code"

wait_profile FirstTime 0 || fail "FirstTime is not 0 after Konec"
for key in Printer Cartridge AutoQuality EmptyFlash PopStatus Tooltip Quality AutoMonitor Anyone; do
  grep -q "^$key=" "$E2E_PROFILE" || fail "Konec did not store $key"
done
grep -q '^Anyonestr=' "$E2E_PROFILE" && fail "Konec stored the password"
grep -q '^WindowsRun=' "$E2E_PROFILE" && fail "Konec stored WindowsRun"
[ -f "$XDG_CONFIG_HOME/autostart/Pagewarden.desktop" ] || fail "no autostart entry with WindowsRun on"
echo "startup: ok"
