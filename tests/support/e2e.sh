# Helpers for tests that drive the real program on a virtual desktop.
# Source it from a *.test.sh; it needs PW_BUILD_DIR and PW_SOURCE_DIR (ctest sets both).
# e2e_setup makes a private home, profile and program folder and a desktop with a tray host;
# e2e_teardown (run from the trap it installs) stops everything; a failure leaves a screenshot.

set -uo pipefail
# shellcheck source=../../scripts/desktop.sh
source "$PW_SOURCE_DIR/scripts/desktop.sh"

e2e_setup() {  # e2e_setup TESTNAME
  E2E_DIR=$(mktemp -d "/tmp/pw-e2e-$1.XXXXXX")
  E2E_SHOTS="$PW_BUILD_DIR/test-output/$1"
  rm -rf "$E2E_SHOTS"
  mkdir -p "$E2E_SHOTS" "$E2E_DIR/bin" "$E2E_DIR/home/.config/Quorbel" "$E2E_DIR/run"
  chmod 700 "$E2E_DIR/run"
  # The program keeps its data file beside itself, so each test runs its own copy.
  cp "$PW_BUILD_DIR/pagewarden" "$PW_SOURCE_DIR/src/res/Pagewarden.xml" "$E2E_DIR/bin/"
  export HOME="$E2E_DIR/home" XDG_CONFIG_HOME="$E2E_DIR/home/.config" XDG_RUNTIME_DIR="$E2E_DIR/run"
  E2E_PROFILE="$XDG_CONFIG_HOME/Quorbel/Pagewarden.conf"
  E2E_DATA="$E2E_DIR/bin/Pagewarden.xml"
  trap e2e_teardown EXIT
  desktop_start
}

e2e_teardown() {
  set +e
  # A program held still gets the signal once it goes on.
  [ -n "${E2E_PID:-}" ] && kill "$E2E_PID" 2>/dev/null && kill -CONT "$E2E_PID" 2>/dev/null &&
    wait "$E2E_PID" 2>/dev/null
  desktop_stop
  [ -n "${E2E_SANDBOX:-}" ] && "$E2E_SANDBOX" stop "$E2E_DIR/cups" >/dev/null 2>&1
  rm -rf "$E2E_DIR"
}

e2e_profile() {  # e2e_profile KEY=VALUE... : writes the options before the program starts
  { echo "[Settings]"; printf '%s\n' "$@"; } >"$E2E_PROFILE"
}

e2e_start() {
  "$E2E_DIR/bin/pagewarden" >"$E2E_DIR/stdout.log" 2>"$E2E_DIR/stderr.log" &
  E2E_PID=$!
}

# Waits for the program to end and sets E2E_STATUS to its exit status.
e2e_wait_exit() {  # e2e_wait_exit SECONDS
  poll "$1" eval '! kill -0 "$E2E_PID" 2>/dev/null' || return 1
  wait "$E2E_PID"
  E2E_STATUS=$?
  E2E_PID=
}

fail() {
  echo "FAIL: $*" >&2
  desktop_shot "$E2E_SHOTS/failure.png"
  [ -f "$E2E_DIR/stderr.log" ] && sed 's/^/program stderr: /' "$E2E_DIR/stderr.log" >&2
  exit 1
}

# Runs a command every tenth of a second until it succeeds, for at most that many seconds.
poll() {  # poll SECONDS COMMAND...
  local i
  for i in $(seq 1 $(($1 * 10))); do
    "${@:2}" && return 0
    sleep 0.1
  done
  return 1
}

window_id() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 | grep .; }
# Waits until a visible window with this exact title exists; prints its id.
wait_window() { poll "${2:-10}" window_id "$1"; }  # wait_window TITLE [SECONDS]
wait_no_window() { poll "${2:-10}" eval "! window_id '$1' >/dev/null"; }

# Focuses a window and types keys into it (there is no window manager to do it).
keys_to() {  # keys_to WINDOW KEY...
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
  xdotool key --clearmodifiers --delay 80 "${@:2}"
}

# The centre of the program's icon: trayer sizes itself to its icons, and ours is the only one.
icon_centre() {
  local WIDTH=0 HEIGHT X Y win
  win=$(xdotool search --classname "^panel$" 2>/dev/null | head -n 1) || return 1
  [ -n "$win" ] && eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "$WIDTH" -ge 16 ] && echo "$((X + WIDTH - 16)) $((Y + HEIGHT / 2))"
}
tray_icon_centre() { poll 10 icon_centre; }

# Opens the icon's menu with a right-click.
open_tray_menu() {
  local pos
  pos=$(tray_icon_centre) || fail "no tray icon"
  # shellcheck disable=SC2086
  xdotool mousemove $pos click 3
  sleep 0.6
}

# A private print server with a test printer; it stops with the test. Started again after a stop,
# it keeps its printers.
e2e_print_server() {  # e2e_print_server [PRINTER]
  chmod 755 "$E2E_DIR"  # the server's filters run as another user
  E2E_SANDBOX="$PW_SOURCE_DIR/scripts/cups-sandbox.sh"
  eval "$("$E2E_SANDBOX" start "$E2E_DIR/cups")"
  [ $# = 0 ] || "$E2E_SANDBOX" add-printer "$E2E_DIR/cups" "$1" 2>/dev/null
}

make_pdf() {  # make_pdf FILE PAGES: a small PDF of that many pages
  gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -o "$1" \
    -c "/Helvetica findfont 20 scalefont setfont 1 1 $2 { 72 700 moveto (Page) show showpage } for"
}
