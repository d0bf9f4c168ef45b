#!/bin/bash
# A scheduler that goes away, or stops answering, during a watch: the watch ends without a record
# and without a crash, and the jobs are counted once the scheduler is back.
source "$(dirname "$0")/lib.sh"

start_server
add_printer desk
make_pdf "$WORK/three.pdf" 3
start_driver --seconds 50 desk

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
echo PASS
