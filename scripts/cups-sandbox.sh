#!/bin/bash
# A private CUPS scheduler with all of its state in one folder, for the run command, tests and
# benchmarks.
#
#   eval "$(cups-sandbox.sh start DIR)"    starts it; prints "export CUPS_SERVER=DIR/cups.sock"
#   cups-sandbox.sh add-printer DIR NAME   a test printer that prints to /dev/null
#   cups-sandbox.sh stop DIR               stops it (by the PID kept in DIR/cupsd.pid)
#
# DIR must be a folder of its own (it is created when missing) that the filters' user (lp) can
# reach. The scheduler listens on
# DIR/cups.sock only; "start" with a TCP port as third argument adds a localhost listener there.
# The system's own scheduler and configuration are never touched.
set -euo pipefail

usage() {
  echo "usage: $0 start DIR [PORT] | stop DIR | add-printer DIR NAME" >&2
  exit 2
}

[[ $# -ge 2 ]] || usage
cmd=$1
dir=$(realpath -m "$2")

wait_ready() {
  local i
  for ((i = 0; i < 100; i++)); do
    if [[ "$(CUPS_SERVER=$dir/cups.sock lpstat -r 2>/dev/null)" == "scheduler is running" ]]; then
      return 0
    fi
    kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
    sleep 0.1
  done
  echo "cups-sandbox: scheduler in $dir did not come up; see $dir/log/error_log" >&2
  return 1
}

start() {
  local port=${1:-}
  mkdir -p "$dir"/{spool/tmp,cache,state,log,ppd}
  # Filters run as the unprivileged user and must reach the spool below DIR.
  chmod 755 "$dir" "$dir/spool"
  chmod 1777 "$dir/spool/tmp"
  if command -v runuser >/dev/null && ! runuser -u lp -- test -x "$dir/spool" 2>/dev/null; then
    echo "cups-sandbox: user lp cannot reach $dir (make its parent folders searchable)" >&2
    return 1
  fi
  if [[ -f "$dir/cupsd.pid" ]] && kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
    echo "cups-sandbox: a scheduler is already running in $dir" >&2
    return 1
  fi
  {
    echo "LogLevel warn"
    echo "Listen $dir/cups.sock"
    [[ -n "$port" ]] && echo "Listen 127.0.0.1:$port"
    cat <<'CONF'
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
MaxJobs 1000
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  } >"$dir/cupsd.conf"
  cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice Yes
CONF
  cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >>"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  wait_ready
  echo "export CUPS_SERVER=$dir/cups.sock"
}

stop() {
  [[ -f "$dir/cupsd.pid" ]] || return 0
  local pid i
  pid=$(cat "$dir/cupsd.pid")
  if kill "$pid" 2>/dev/null; then
    for ((i = 0; i < 50; i++)); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$dir/cupsd.pid"
}

add_printer() {
  local name=$1
  CUPS_SERVER=$dir/cups.sock lpadmin -p "$name" -E -v file:///dev/null \
    -m drv:///cupsfilters.drv/pwgrast.ppd
}

case $cmd in
  start) start "${3:-}" ;;
  stop) stop ;;
  add-printer)
    [[ $# -eq 3 ]] || usage
    add_printer "$3"
    ;;
  *) usage ;;
esac
