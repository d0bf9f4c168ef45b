#!/bin/bash
# The printer list names the queues (no instances) and gives up at once without a server and
# within about a second on one that never answers; a look at an unknown queue fails quietly.
source "$(dirname "$0")/lib.sh"

e2e_print_server zeta
"$E2E_SANDBOX" add-printer "$WORK/cups" alfa 2>/dev/null
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

list=$(CUPS_SERVER=$WORK/none.sock "$DRIVER" --list-printers)
[[ "$list" == "unreachable" ]] || fail "printers without a server: '$list'"

# A frozen server accepts connections and never answers, as one whose host hung. (The look at the
# queue is bounded by the bounded job source's own test.)
pid=$(cat "$WORK/cups/cupsd.pid")
kill -STOP "$pid"
started=$(date +%s%N)
list=$("$DRIVER" --list-printers)
took=$((($(date +%s%N) - started) / 1000000))
kill -CONT "$pid"
[[ "$list" == "unreachable" ]] || fail "printers from a hung server: '$list'"
((took < 1500)) || fail "the printer list waited $took ms for a hung server"
echo PASS
