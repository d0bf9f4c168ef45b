#!/bin/bash
# Printed jobs become one record each, in the class of the job's print settings (the queue's
# default for a job without them is the desktop print test's); user and title come from the job.
# Jobs finished before the watcher started are history and not counted.
source "$(dirname "$0")/lib.sh"

e2e_print_server desk
make_pdf "$WORK/three.pdf" 3
for i in 1 2; do lp -d desk -t "Staré $i" "$WORK/three.pdf" >/dev/null; done
wait_jobs_done desk
sleep 2  # by then the server keeps the finished jobs on disk only, as at a usual start
start_driver --seconds 50 desk

# print_and_expect OPTIONS TITLE BEST NORMAL ECONOMIC
print_and_expect() {
  lp -d desk $1 -t "$2" "$WORK/three.pdf" >/dev/null
  wait_for_line "^record best=$3 normal=$4 economic=$5 user=$(id -un) remark=$2\$" 15
}

print_and_expect "-o print-quality=5" "Výroční zpráva" 3 0 0
print_and_expect "-o cupsPrintQuality=High" "Fotka" 3 0 0
print_and_expect "-o printer-resolution=300dpi" "Nahrubo" 0 0 3
# A title too long for the server's own checks: it keeps the user's beside an "Untitled" of its own.
long=$(printf 'Dlouhý název %.0s' {1..800})
print_and_expect "-o print-quality=3" "$long" 0 0 3

# Four titles, four records: nothing is counted twice while the finished jobs stay in the history,
# and the old jobs not at all.
sleep 3
expect_records 4
grep -q '^error: ' "$WORK/driver.out" && fail "unexpected message box"
echo PASS
