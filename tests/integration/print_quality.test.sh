#!/bin/bash
# Printed jobs become one record each, in the class of the job's print settings or, without
# them, of the queue's default; user and title come from the job.
source "$(dirname "$0")/lib.sh"

start_server
add_printer desk
make_pdf "$WORK/three.pdf" 3
start_driver --seconds 50 desk
me=$(id -un)

# print_and_expect OPTIONS TITLE RECORD
print_and_expect() {
  local before
  before=$(records)
  lp -d desk $1 -t "$2" "$WORK/three.pdf" >/dev/null
  wait_for_line "^$3\$" 15
  expect_records $((before + 1))
}

print_and_expect "-o print-quality=5" "Výroční zpráva" \
  "record best=3 normal=0 economic=0 user=$me remark=Výroční zpráva"
print_and_expect "-o print-quality=3" "Koncept" \
  "record best=0 normal=0 economic=3 user=$me remark=Koncept"
print_and_expect "-o cupsPrintQuality=High" "Fotka" \
  "record best=3 normal=0 economic=0 user=$me remark=Fotka"
print_and_expect "-o printer-resolution=300dpi" "Nahrubo" \
  "record best=0 normal=0 economic=3 user=$me remark=Nahrubo"
# The test queue's default is "normal".
print_and_expect "" "Bez nastavení" "record best=0 normal=3 economic=0 user=$me remark=Bez nastavení"

# A title too long for the server's own checks: it keeps the user's beside an "Untitled" of its own.
long=$(printf 'Dlouhý název %.0s' {1..800})
print_and_expect "-o print-quality=3" "$long" "record best=0 normal=0 economic=3 user=$me remark=$long"

# Nothing is counted twice while the finished jobs stay in the history.
sleep 3
expect_records 6
grep -q '^error: ' "$WORK/driver.out" && fail "unexpected message box"
echo PASS
