#!/bin/bash
# A scheduler that goes away, or stops answering, during a watch: the watch ends without a record
# and without a crash, and the jobs are counted once the scheduler is back. One that crashed
# numbers its jobs anew, and no job is lost or counted twice.
source "$(dirname "$0")/lib.sh"

start_server
add_printer desk
make_pdf "$WORK/three.pdf" 3
make_pdf "$WORK/one.pdf" 1
start_driver --seconds 120 --tick-ms 100 desk

# Stopped between two passes of the watch.
lp -d desk -o print-quality=5 -t "Před výpadkem" "$WORK/three.pdf" >/dev/null
wait_for_line '^look ok ids=1$' 10
# Stopped once the job is done: a job cut off by the shutdown would be printed again.
wait_jobs_done desk
"$SANDBOX" stop "$WORK/cups"
expect_records 0
wait_for_line '^look failed$' 5
sleep 2
expect_records 0
kill -0 "$DRIVER_PID" || fail "the watcher died"
eval "$("$SANDBOX" start "$WORK/cups")"
wait_for_line '^record best=3 normal=0 economic=0 user=.* remark=Před výpadkem$' 15

# Frozen between two passes: each look gives up after the timeout, and the ticks go on.
lp -d desk -o print-quality=3 -t "Zamrzlý" "$WORK/three.pdf" >/dev/null
wait_for_line '^look ok ids=.*2$' 10
wait_jobs_done desk
pid=$(cat "$WORK/cups/cupsd.pid")
kill -STOP "$pid"
frozen=$SECONDS
sleep 5
kill -CONT "$pid"
grep -q '^look failed' <(sed -n '/ids=.*2$/,$p' "$WORK/driver.out") || fail "no failed look while frozen"
expect_records 1
wait_for_line '^record best=0 normal=0 economic=3 user=.* remark=Zamrzlý$' 15
((SECONDS - frozen < 15)) || fail "the watcher was held up by the frozen scheduler"
sleep 3
expect_records 2

# Killed: the scheduler forgets the jobs it has not saved yet (it saves a finished job about a
# second later) and gives their ids to new jobs. The watcher sees a job, is held still while the
# scheduler is killed right away and another job prints from start to end, and counts that one
# when it goes on, once. A try in which the scheduler was quicker is printed and counted too.
job_id() { sed -n 's/^request id is .*-\([0-9]*\) .*/\1/p'; }
for try in 1 2 3; do
  before=$(records)
  seen=$(grep -c '^look ok ids=[0-9]' "$WORK/driver.out" || true)
  last=$(lp -d desk -o print-quality=3 -t "Před pádem" "$WORK/one.pdf" | job_id)
  for ((i = 0; i < 100; i++)); do
    (($(grep -c '^look ok ids=[0-9]' "$WORK/driver.out") > seen)) && break
    sleep 0.02
  done
  kill -STOP "$DRIVER_PID"
  pid=$(cat "$WORK/cups/cupsd.pid")
  kill -KILL "$pid"
  for ((i = 0; i < 50; i++)); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  rm "$WORK/cups/cupsd.pid"
  eval "$("$SANDBOX" start "$WORK/cups")"
  next=$(lp -d desk -o print-quality=4 -t "Po pádu $try" "$WORK/three.pdf" | job_id)
  wait_jobs_done desk
  kill -CONT "$DRIVER_PID"
  wait_for_line "^record best=0 normal=3 economic=1 user=.* remark=Po pádu $try\$" 15
  sleep 5
  expect_records $((before + 1))
  ((next <= last)) && break
  ((try < 3)) || fail "the scheduler saved job $last every time: no id was given anew"
done
echo PASS
