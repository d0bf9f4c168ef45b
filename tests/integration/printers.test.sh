#!/bin/bash
# The printer list names the queues (no instances); an unknown queue or an absent server makes
# every look fail quietly.
source "$(dirname "$0")/lib.sh"

start_server
add_printer "zeta"
add_printer "alfa"
# Instances live in lpoptions: root's go to the server root, so point that into the sandbox.
export HOME=$WORK CUPS_SERVERROOT=$WORK/cups
lpoptions -p alfa/koncept -o print-quality=3 >/dev/null
[[ -f $WORK/cups/lpoptions || -f $WORK/.cups/lpoptions ]] || fail "no instance was made"
list=$("$DRIVER" --list-printers | sort | tr '\n' ' ')
[[ "$list" == "alfa zeta " ]] || fail "printer list: '$list'"

start_driver --seconds 3 nenitu
wait_for_line '^ticks=' 10
[[ "$(grep '^look' "$WORK/driver.out" | sort -u)" == "look failed" ]] || fail "unknown queue"
grep -q '^record\|^error' "$WORK/driver.out" && fail "something was recorded"

# No server at all: both give up at once instead of hanging.
started=$SECONDS
list=$(CUPS_SERVER=$WORK/none.sock "$DRIVER" --list-printers)
[[ -z "$list" ]] || fail "printers without a server: '$list'"
CUPS_SERVER=$WORK/none.sock start_driver --seconds 2 alfa
wait_for_line '^look failed$' 5
wait_for_line '^ticks=' 5
((SECONDS - started < 8)) || fail "a missing server held the watcher up"
echo PASS
