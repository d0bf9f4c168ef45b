#!/bin/bash
# Jobs finished before the watcher started are history and not counted; jobs that start and
# finish between two ticks all are.
source "$(dirname "$0")/lib.sh"

start_server
add_printer desk
make_pdf "$WORK/three.pdf" 3
make_pdf "$WORK/two.pdf" 2
for i in 1 2 3; do lp -d desk -t "Staré $i" "$WORK/three.pdf" >/dev/null; done
wait_jobs_done desk

# Ticks 10 s apart: the next jobs are printed and done before the first one, even on a loaded
# machine.
start_driver --seconds 40 --tick-ms 10000 desk
started=$SECONDS
lp -d desk -o print-quality=5 -t "Nový 1" "$WORK/three.pdf" >/dev/null
lp -d desk -o print-quality=3 -t "Nový 2" "$WORK/two.pdf" >/dev/null
lp -d desk -o print-quality=4 -t "Nový 3" "$WORK/three.pdf" >/dev/null
wait_jobs_done desk
((SECONDS - started < 9)) || fail "the jobs took too long to be done before the first tick"
grep -q '^look' "$WORK/driver.out" && fail "a tick came before the jobs were done"

wait_for_line '^record ' 20
wait_for_line "^record best=3 normal=3 economic=2 user=$(id -un) remark=Nový 3\$" 1
sleep 11
expect_records 1
echo PASS
