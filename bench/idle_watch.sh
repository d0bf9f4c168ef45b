#!/bin/bash
# The cost of watching an idle queue: CPU of the watcher and of the scheduler over a run at two
# ticks a second, against an empty queue and against one with a job left held in front of a long
# history of finished jobs, beside a shell loop that runs `lpstat -o` at the same rate.
#
#   bench/idle_watch.sh BUILD_DIR [SECONDS] [HISTORY_JOBS]
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR [SECONDS] [HISTORY_JOBS]}
seconds=${2:-60}
history=${3:-200}
here=$(cd "$(dirname "$0")" && pwd)
sandbox=$here/../scripts/cups-sandbox.sh
driver=$(find "$build" -name pw_watch_driver -type f -perm -u+x | head -n 1)
[[ -n "$driver" ]] || { echo "build pw_watch_driver first" >&2; exit 1; }
work=$(mktemp -d /tmp/pw-bench.XXXXXX)
chmod 755 "$work"
trap '"$sandbox" stop "$work/cups"; rm -rf "$work"' EXIT

eval "$("$sandbox" start "$work/cups")"
"$sandbox" add-printer "$work/cups" desk 2>/dev/null
cupsd_pid=$(cat "$work/cups/cupsd.pid")
ticks_per_s=$(getconf CLK_TCK)

# CPU milliseconds a process has used so far (user + system).
cpu_ms() { awk -v hz="$ticks_per_s" '{ print ($14 + $15) * 1000 / hz }' "/proc/$1/stat"; }

# percent CPU_MS: share of one core over the run.
percent() { awk -v ms="$1" -v s="$seconds" 'BEGIN { printf "%.3f", ms / (s * 10) }'; }

run_watcher() {
  local before after out
  before=$(cpu_ms "$cupsd_pid")
  out=$("$driver" --seconds "$seconds" --tick-ms 500 desk | tail -n 1)
  after=$(cpu_ms "$cupsd_pid")
  local own=${out##*cpu_ms=}
  own=${own%% *}
  local server=$(awk -v a="$after" -v b="$before" 'BEGIN { print a - b }')
  printf '%-34s watcher %6s %%  scheduler %6s %%  (%s)\n' "$1" "$(percent "$own")" \
    "$(percent "$server")" "${out%% *}"
}

run_lpstat_loop() {
  local before after start end
  before=$(cpu_ms "$cupsd_pid")
  start=$(awk '{ print $14 + $15 + $16 + $17 }' /proc/$$/stat)
  local deadline=$((SECONDS + seconds))
  while ((SECONDS < deadline)); do
    lpstat -o desk >/dev/null
    sleep 0.5
  done
  end=$(awk '{ print $14 + $15 + $16 + $17 }' /proc/$$/stat)
  after=$(cpu_ms "$cupsd_pid")
  local own=$(awk -v a="$end" -v b="$start" -v hz="$ticks_per_s" 'BEGIN { print (a - b) * 1000 / hz }')
  local server=$(awk -v a="$after" -v b="$before" 'BEGIN { print a - b }')
  printf '%-34s loop    %6s %%  scheduler %6s %%\n' "$1" "$(percent "$own")" "$(percent "$server")"
}

echo "runs of $seconds s, ticks every 500 ms"
run_watcher "empty queue"
run_lpstat_loop "empty queue, lpstat -o loop"

# A job held and forgotten, then a history of finished jobs sent raw, so that they pass no filter
# and finish at once.
echo x >"$work/tiny"
lp -d desk -H hold "$work/tiny" >/dev/null
for ((i = 0; i < history; i++)); do lp -d desk -o raw "$work/tiny" >/dev/null; done
while (($(lpstat -o desk | wc -l) > 1)); do sleep 0.2; done
run_watcher "held job, $history finished after it"
run_lpstat_loop "held + $history, lpstat -o loop"
