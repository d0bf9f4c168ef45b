#!/bin/bash
# The orders a real desktop produces, each counted once: a held job released after a newer one
# printed, a waiting job overtaken by one that announced its pages, another printer chosen while
# it had printed, detection switched off and on, and no printer chosen at all.
source "$(dirname "$0")/lib.sh"

start_server
add_printer desk
add_printer hall
make_pdf "$WORK/one.pdf" 1
make_pdf "$WORK/two.pdf" 2
make_pdf "$WORK/three.pdf" 3
me=$(id -un)
control=$WORK/control

# control LINE: what the monitor window does after Settings, carried out at the driver's next tick.
control() {
  echo "$1" >"$control.new"
  mv "$control.new" "$control"
  wait_for_line "^control $1\$" 5
}

# job_id OUTPUT-OF-LP: the number in "request id is desk-7 (1 file(s))".
job_id() { sed -n 's/^request id is .*-\([0-9]*\) .*/\1/p'; }

start_driver --seconds 80 --control "$control" desk

held=$(lp -d desk -H hold -o print-quality=5 -t "Zadržená" "$WORK/three.pdf" | job_id)
lp -d desk -o print-quality=3 -t "Novější" "$WORK/one.pdf" >/dev/null
wait_for_line "^record best=0 normal=0 economic=1 user=$me remark=Novější\$" 10
lp -i "$held" -H resume
wait_for_line "^record best=3 normal=0 economic=0 user=$me remark=Zadržená\$" 10

cupsdisable desk
lp -d desk -o print-quality=4 -t "Čekající" "$WORK/two.pdf" >/dev/null
ipp_print desk "$WORK/three.pdf" "Ohlášená" 3
wait_for_line "^record best=3 normal=0 economic=0 user=$me remark=Ohlášená\$" 10
cupsenable desk
wait_jobs_done desk
wait_for_line "^record best=0 normal=2 economic=0 user=$me remark=Čekající\$" 10
expect_records 4

lp -d hall -t "Před přepnutím" "$WORK/two.pdf" >/dev/null
wait_jobs_done hall
control "printer hall"
sleep 3
expect_records 4
lp -d hall -o print-quality=3 -t "Po přepnutí" "$WORK/one.pdf" >/dev/null
wait_for_line "^record best=0 normal=0 economic=1 user=$me remark=Po přepnutí\$" 10

control off
lp -d hall -t "Při vypnutí" "$WORK/two.pdf" >/dev/null
wait_jobs_done hall
control on
sleep 3
lp -d hall -o print-quality=3 -t "Po zapnutí" "$WORK/two.pdf" >/dev/null
wait_for_line "^record best=0 normal=0 economic=2 user=$me remark=Po zapnutí\$" 10
sleep 3
expect_records 6
grep -q "Před přepnutím\|Při vypnutí" "$WORK/driver.out" && fail "an old job was counted"

# No printer chosen (the first start before Settings is confirmed): nothing of any printer counts.
kill "$DRIVER_PID"
wait "$DRIVER_PID" 2>/dev/null || true
start_driver --seconds 8 ""
lp -d desk -t "Bez tiskárny" "$WORK/one.pdf" >/dev/null
wait_jobs_done desk
sleep 2
expect_records 0
grep -q '^look failed' "$WORK/driver.out" || fail "an empty printer name was watched"
echo PASS
