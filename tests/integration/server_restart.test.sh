#!/bin/bash
# A scheduler that goes away during a watch: the watch ends without a record and without a crash,
# and the jobs are counted once the scheduler is back. One that crashed numbers its jobs anew,
# and no job is lost or counted twice. (One that stops answering is the bounded job source's.)
source "$(dirname "$0")/lib.sh"

e2e_print_server desk
make_pdf "$WORK/three.pdf" 3
make_pdf "$WORK/one.pdf" 1
start_driver --seconds 120 --tick-ms 100 desk

# Stopped between two passes of the watch.
lp -d desk -o print-quality=5 -t "Před výpadkem" "$WORK/three.pdf" >/dev/null
wait_for_line '^look ok ids=1$' 10
# Stopped once the job is done: a job cut off by the shutdown would be printed again.
wait_jobs_done desk
"$E2E_SANDBOX" stop "$WORK/cups"
wait_for_line '^look failed$' 5
sleep 2
expect_records 0
kill -0 "$E2E_PID" || fail "the watcher died"
e2e_print_server
wait_for_line '^record best=3 normal=0 economic=0 user=.* remark=Před výpadkem$' 15

# Killed: the scheduler forgets the jobs it has not saved yet (it saves a finished job about a
# second later) and gives their ids to new jobs. The watcher sees a job, is held still while the
# scheduler is killed right away and another job prints from start to end, and counts that one
# when it goes on, once. A try in which the scheduler was quicker is printed and counted too.
job_id() { sed -n 's/^request id is .*-\([0-9]*\) .*/\1/p'; }
looks() { grep -c '^look ok ids=[0-9]' "$WORK/driver.out" || true; }
for try in 1 2 3; do
  before=$(records)
  seen=$(looks)
  last=$(lp -d desk -o print-quality=3 -t "Před pádem" "$WORK/one.pdf" | job_id)
  for ((i = 0; i < 100; i++)); do
    (($(looks) > seen)) && break
    sleep 0.02
  done
  kill -STOP "$E2E_PID"
  pid=$(cat "$WORK/cups/cupsd.pid")
  kill -KILL "$pid"
  poll 5 eval '! kill -0 $pid 2>/dev/null'
  rm "$WORK/cups/cupsd.pid"
  e2e_print_server
  next=$(lp -d desk -o print-quality=4 -t "Po pádu $try" "$WORK/three.pdf" | job_id)
  wait_jobs_done desk
  kill -CONT "$E2E_PID"
  wait_for_line "^record best=0 normal=3 economic=1 user=.* remark=Po pádu $try\$" 15
  sleep 5
  expect_records $((before + 1))
  ((next <= last)) && break
  ((try < 3)) || fail "the scheduler saved job $last every time: no id was given anew"
done
echo PASS
