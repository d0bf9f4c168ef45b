#!/usr/bin/env bash
# A first start at login, before the notification area is up (the race at login): the program
# waits for it, then Settings opens by itself, and the test printer with the catalogue's second
# cartridge, confirmed with OK, is stored with FirstTime = 0. A second start (a launcher click)
# brings up the running copy's status window and leaves, and Konec in the icon's menu ends the
# program with status 0. With no notification area at all the program says so after its wait and
# ends, so the next start can run.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup settings
e2e_print_server Kancelar

start_tray() {
  trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true \
    --expand false >/dev/null 2>&1 &
  DESKTOP_TRAYER_PID=$!
}
stop_tray() {
  kill "$DESKTOP_TRAYER_PID" && wait "$DESKTOP_TRAYER_PID" 2>/dev/null
  sleep 0.3
}

stop_tray
e2e_start
sleep 3
kill -0 "$E2E_PID" || fail "the program ended while it waited for a notification area"
wait_no_window "Nastavení programu Pagewarden" 1 || fail "start-up ran without a notification area"
start_tray
settings=$(wait_window "Nastavení programu Pagewarden" 15) ||
  fail "start-up did not run when the notification area appeared"
sleep 0.5
keys_to "$settings" alt+z Down  # the catalogue's second cartridge
sleep 0.3
keys_to "$settings" Return  # the default button, OK
wait_no_window "Nastavení programu Pagewarden" 5 || fail "OK did not close Settings"
# The program writes its options right after the window closes; give it a moment.
poll 3 grep -qx FirstTime=0 "$E2E_PROFILE" || fail "FirstTime is not 0"
grep -qx Printer=Kancelar "$E2E_PROFILE" || fail "Printer: $(grep Printer= "$E2E_PROFILE")"
grep -qx "Cartridge=HP 305XL černá" "$E2E_PROFILE" || fail "Cartridge: $(grep Cartridge= "$E2E_PROFILE")"

timeout 10 "$E2E_DIR/bin/pagewarden" 2>/dev/null || fail "the second start failed"
status=$(wait_window "Stav programu Pagewarden" 5) || fail "the second start showed no status window"
[ "$(pgrep -c -f "^$E2E_DIR/bin/pagewarden")" = 1 ] || fail "a second instance kept running"
keys_to "$status" Escape

open_tray_menu
xdotool key --delay 80 Up Return  # the last entry: Konec
e2e_wait_exit 5 || fail "Konec did not end the program"
[ "$E2E_STATUS" = 0 ] || fail "exit status $E2E_STATUS"

# No notification area at all: a message on standard error and a failing exit after the wait.
stop_tray
SECONDS=0
e2e_start
e2e_wait_exit 45 || fail "the program kept running without a notification area"
[ "$E2E_STATUS" != 0 ] || fail "exit status 0 without a notification area"
((SECONDS >= 28)) || fail "the program gave up after only $SECONDS s"
grep -q "oznamovací oblast" "$E2E_DIR/stderr.log" || fail "no message on standard error"

# The single-instance lock went with it: the next start runs and shows its icon.
start_tray
e2e_start
tray_icon_centre >/dev/null || fail "the next start did not run"
echo "settings: ok"
