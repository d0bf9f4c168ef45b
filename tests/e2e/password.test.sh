#!/usr/bin/env bash
# The access password is changed in the profile file while the program runs: Konec refuses the
# old one and ends with the new one.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup password
e2e_profile FirstTime=0 AutoMonitor=0 WindowsRun=0 Anyone=1 Anyonestr=stare
e2e_start
tray_icon_centre >/dev/null || fail "no tray icon"
sed -i 's/^Anyonestr=.*/Anyonestr=nove/' "$E2E_PROFILE"

exit_with() {  # exit_with PASSWORD: Konec from the menu, then the password
  open_tray_menu
  xdotool key --delay 80 Up Return  # the last entry: Konec
  local prompt
  prompt=$(wait_window "Zadání přístupového hesla" 5) || fail "Konec did not ask for the password"
  keys_to "$prompt" ctrl+a
  xdotool type --delay 30 "$1"
  xdotool key Return
}

exit_with stare
box=$(wait_window Pagewarden 5) || fail "the old password was not refused"
shot 01-refused
keys_to "$box" Return
kill -0 "$E2E_PID" || fail "the old password ended the program"

exit_with nove
for _ in $(seq 1 50); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && fail "the new password did not end the program"
E2E_PID=
echo "password: ok"
