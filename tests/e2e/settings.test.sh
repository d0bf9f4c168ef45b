#!/usr/bin/env bash
# A first start opens Settings by itself; choosing the test printer and a cartridge from the
# catalogue and pressing OK stores them with FirstTime = 0, and the icon's tooltip becomes the
# usage sentence. The About box opens from the menu.
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
e2e_setup settings
e2e_print_server Kancelar

e2e_start
settings=$(wait_window "Nastavení programu Pagewarden" 15) || fail "the first start did not open Settings"
sleep 0.5
shot 01-settings-first-start
keys_to "$settings" alt+z Down  # the catalogue's second cartridge
sleep 0.3
shot 02-settings-chosen
keys_to "$settings" Return  # the default button, OK
wait_no_window "Nastavení programu Pagewarden" 5 || fail "OK did not close Settings"

wait_profile FirstTime 0 || fail "FirstTime is not 0"
[ "$(profile_value Printer)" = Kancelar ] || fail "Printer is '$(profile_value Printer)'"
[ "$(profile_value Cartridge)" = "HP 305XL černá" ] || fail "Cartridge is '$(profile_value Cartridge)'"

# The tooltip shows the usage sentence (kept as a screenshot).
pos=$(tray_icon_centre) || fail "no tray icon"
# shellcheck disable=SC2086
xdotool mousemove $pos
sleep 2
shot 03-tooltip

open_tray_menu
xdotool key --delay 80 Down Return  # the first entry: O programu Pagewarden...
about=$(wait_window "O programu Pagewarden" 5) || fail "the About box did not open"
sleep 0.5
shot 04-about
keys_to "$about" Escape
wait_no_window "O programu Pagewarden" 5 || fail "Escape did not close the About box"
echo "settings: ok"
