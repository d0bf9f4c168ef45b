#!/usr/bin/env bash
# A notification area that comes late (the race at login): the program waits for it and then
# starts up; with none at all it says so after its wait and ends, so the next start can run.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup late_tray

start_tray() {
  trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true \
    --expand false >/dev/null 2>&1 &
  DESKTOP_TRAYER_PID=$!
}
stop_tray() {
  kill "$DESKTOP_TRAYER_PID"
  wait "$DESKTOP_TRAYER_PID" 2>/dev/null
  DESKTOP_TRAYER_PID=
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
tray_icon_centre >/dev/null || fail "the icon did not appear in the late notification area"
shot 01-late-tray
keys_to "$settings" alt+s  # &Storno
kill "$E2E_PID"
wait "$E2E_PID"
E2E_PID=

# No notification area at all: a message on standard error and a failing exit after the wait.
stop_tray
started=$(date +%s)
e2e_start
for _ in $(seq 1 450); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && fail "the program kept running without a notification area"
wait "$E2E_PID"
code=$?
E2E_PID=
waited=$(($(date +%s) - started))
[ "$code" != 0 ] || fail "exit status 0 without a notification area"
((waited >= 28)) || fail "the program gave up after only $waited s"
grep -q "oznamovací oblast" "$E2E_DIR/stderr.log" || fail "no message on standard error"

# The single-instance lock went with it: the next start runs.
start_tray
e2e_start
wait_window "Nastavení programu Pagewarden" 15 >/dev/null || fail "the next start did not run"
echo "late_tray: ok"
