# Shared by the integration scripts: the desktop tests' harness without the desktop, and the watch
# driver. Everything lives in one temporary folder that the EXIT trap removes.
: "${PW_SOURCE_DIR:?}" "${PW_BUILD_DIR:?}"
source "$PW_SOURCE_DIR/tests/support/e2e.sh"
set -e
DRIVER=$(find "$PW_BUILD_DIR" -name pw_watch_driver -type f -perm -u+x | head -n 1)
[[ -n "$DRIVER" ]] || { echo "pw_watch_driver is not built" >&2; exit 1; }
E2E_DIR=$(mktemp -d /tmp/pw-integration.XXXXXX) WORK=$E2E_DIR
trap e2e_teardown EXIT

fail() {
  echo "FAIL: $*" >&2
  [[ -f "$WORK/driver.out" ]] && sed 's/^/  driver: /' "$WORK/driver.out" >&2
  exit 1
}

# start_driver ARGS...: the watcher on its own event loop; returns once it watches.
start_driver() {
  "$DRIVER" "$@" >"$WORK/driver.out" 2>&1 &
  E2E_PID=$!
  wait_for_line '^ready$' 10
}

# wait_for_line REGEX SECONDS: waits until the driver has printed a matching line.
wait_for_line() {
  poll "$2" grep -qs -- "$1" "$WORK/driver.out" || fail "no line matching '$1' within $2 s"
}

records() { grep -c '^record ' "$WORK/driver.out" || true; }

# expect_records N: exactly N records so far.
expect_records() {
  [[ "$(records)" == "$1" ]] || fail "expected $1 records, found $(records)"
}

# wait_jobs_done PRINTER: every job of the printer completed.
no_jobs() { [[ -z "$(lpstat -o "$1" 2>/dev/null)" ]]; }
wait_jobs_done() { poll 10 no_jobs "$1" || fail "jobs on $1 did not finish"; }
