#!/bin/bash
# A job waiting on a disabled printer is counted once, with the pages it announced, and not again
# while it waits or when it prints. A waiting job without a page count is counted when it prints.
source "$(dirname "$0")/lib.sh"

start_server
add_printer paused
cupsdisable paused
make_pdf "$WORK/three.pdf" 3
start_driver --seconds 50 paused

me=$(id -un)
ipp_print paused "$WORK/three.pdf" "Zadržená" 3
wait_for_line "^record best=3 normal=0 economic=0 user=$me remark=Zadržená\$" 10
lp -d paused -o print-quality=3 -t "Bez počtu" "$WORK/three.pdf" >/dev/null
sleep 5
[[ $(lpstat -o paused | wc -l) == 2 ]] || fail "the jobs did not stay queued"
expect_records 1

cupsenable paused
wait_jobs_done paused
wait_for_line "^record best=0 normal=0 economic=3 user=$me remark=Bez počtu\$" 10
sleep 5
expect_records 2
echo PASS
