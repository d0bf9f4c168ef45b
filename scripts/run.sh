#!/usr/bin/env bash
# Installs what is missing, builds Pagewarden and starts it. Without a desktop ($DISPLAY unset) it
# starts a virtual one with a notification area first, so the program has a place for its icon.
# When no print server answers, or the one that answers has no printer, it starts a private one
# with a test printer, so that there is something to watch. What it started ends with the program,
# and it exits with the program's status.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build
sandbox=$here/scripts/cups-sandbox.sh
printer=Testovaci
test_page=/usr/share/cups/data/testprint

bash "$here/scripts/install-deps.sh"
bash "$here/scripts/build.sh" "$build" -DPW_TESTS=OFF

# shellcheck source=desktop.sh
source "$here/scripts/desktop.sh"
server_dir=
server_tmp=
program=

stop_all() {
  set +e
  if [ -n "$program" ]; then
    kill "$program" 2>/dev/null
    wait "$program" 2>/dev/null
  fi
  if [ -n "$server_dir" ]; then
    bash "$sandbox" stop "$server_dir"
    if [ -n "$server_tmp" ]; then rm -rf "$server_tmp" "$server_dir"; fi
  fi
  desktop_stop
}
trap stop_all EXIT
# The program runs in the background (see below), so a signal reaches this script while it waits.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

server_has_printers() {
  # lpstat exits with 0 whether or not the server answers; only its words tell.
  [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ] && [ -n "$(lpstat -v 2>/dev/null)" ]
}

if ! server_has_printers; then
  server_dir=$build/print-server
  bash "$sandbox" stop "$server_dir" 2>/dev/null || true
  if [ -L "$server_dir" ]; then
    rm -rf "$(readlink "$server_dir")" "$server_dir"
  fi
  # The server's filters run as user lp. When lp cannot enter the build (a clone under /root),
  # the server's folder lives in /tmp and the build links to it, so its socket keeps one path.
  if [ "$(id -u)" = 0 ] && ! runuser -u lp -- test -x "$build" 2>/dev/null; then
    server_tmp=$(mktemp -d /tmp/pagewarden-print-server.XXXXXX)
    chmod 755 "$server_tmp"
    ln -s "$server_tmp" "$server_dir"
  fi
  eval "$(bash "$sandbox" start "$server_dir")"
  bash "$sandbox" add-printer "$server_dir" "$printer" 2> >(grep -v 'drivers are deprecated' >&2)
  echo "No print server with a printer answered: started a private one in $server_dir"
  echo "with the test printer \"$printer\", which counts pages and prints nothing."
  echo "Choose \"$printer\" in the Settings dialog, then print a test page with:"
  echo "    CUPS_SERVER=$server_dir/cups.sock lp -d $printer $test_page"
fi

if [ -z "${DISPLAY:-}" ]; then
  desktop_start
  echo "No desktop was running: started a virtual one on $DISPLAY (a screenshot, with ImageMagick:"
  echo "DISPLAY=$DISPLAY import -window root shot.png)."
fi
echo "Konec in the icon's menu ends the program and everything this command started."

# Not exec: this script still has to stop what it started when the program ends.
"$build/pagewarden" &
program=$!
status=0
wait "$program" || status=$?
program=
exit "$status"
