# Shared by the integration scripts: a private scheduler, test documents and the watch driver.
# Everything lives in one temporary folder that the EXIT trap removes.
set -euo pipefail

: "${PW_SOURCE_DIR:?}" "${PW_BUILD_DIR:?}"
SANDBOX=$PW_SOURCE_DIR/scripts/cups-sandbox.sh
DRIVER=$(find "$PW_BUILD_DIR" -name pw_watch_driver -type f -perm -u+x | head -n 1)
[[ -n "$DRIVER" ]] || { echo "pw_watch_driver is not built" >&2; exit 1; }
WORK=$(mktemp -d /tmp/pw-integration.XXXXXX)
chmod 755 "$WORK"  # the scheduler's filters run as another user
DRIVER_PID=

cleanup() {
  set +e
  # A driver held still gets the signal once it goes on.
  if [[ -n "$DRIVER_PID" ]]; then kill "$DRIVER_PID" 2>/dev/null && kill -CONT "$DRIVER_PID"; fi
  "$SANDBOX" stop "$WORK/cups" || true
  rm -rf "$WORK"
  return 0
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [[ -f "$WORK/driver.out" ]] && sed 's/^/  driver: /' "$WORK/driver.out" >&2
  exit 1
}

start_server() {
  eval "$("$SANDBOX" start "$WORK/cups")"
}

# add_printer NAME
add_printer() {
  "$SANDBOX" add-printer "$WORK/cups" "$1" 2> >(grep -v 'drivers are deprecated' >&2)
}

# make_pdf FILE PAGES: a small PDF of that many pages.
make_pdf() {
  gs -q -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -o "$1" \
    -c "/Helvetica findfont 20 scalefont setfont 1 1 $2 { 72 700 moveto (Page) show showpage } for"
}

# ipp_print PRINTER FILE TITLE PAGES: a job in high quality that announces its page count, as a
# client that counted the pages would send it.
ipp_print() {
  local socket
  socket=$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1], safe=""))' \
    "$CUPS_SERVER")
  ipptool -d user="$(id -un)" -d file="$2" -d title="$3" -d pages="$4" \
    "ipp://$socket/printers/$1" "$PW_SOURCE_DIR/tests/integration/print-counted.ipp" >/dev/null
}

# start_driver ARGS...: the watcher on its own event loop; returns once it watches.
start_driver() {
  "$DRIVER" "$@" >"$WORK/driver.out" 2>&1 &
  DRIVER_PID=$!
  wait_for_line '^ready$' 10
}

# poll SECONDS COMMAND...: runs the command every tenth of a second until it succeeds.
poll() {
  local i
  for ((i = 0; i < $1 * 10; i++)); do "${@:2}" && return 0; sleep 0.1; done
  return 1
}

# wait_for_line REGEX SECONDS: waits until the driver has printed a matching line.
wait_for_line() {
  poll "$2" grep -qs -- "$1" "$WORK/driver.out" || fail "no line matching '$1' within $2 s"
}

records() { grep -c '^record ' "$WORK/driver.out" || true; }

# expect_records N: exactly N records so far.
expect_records() {
  local n
  n=$(records)
  [[ "$n" == "$1" ]] || fail "expected $1 records, found $n"
}

# wait_jobs_done PRINTER: every job of the printer completed.
no_jobs() { [[ -z "$(lpstat -o "$1" 2>/dev/null)" ]]; }
wait_jobs_done() { poll 10 no_jobs "$1" || fail "jobs on $1 did not finish"; }
