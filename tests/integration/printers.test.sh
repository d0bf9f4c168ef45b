#!/bin/bash
# The printer list names the queues (no instances) and gives up within about a second on a
# server that never answers.
source "$(dirname "$0")/lib.sh"

e2e_print_server zeta
"$E2E_SANDBOX" add-printer "$WORK/cups" alfa 2>/dev/null
# Instances live in lpoptions: root's go to the server root, so point that into the sandbox.
export HOME=$WORK CUPS_SERVERROOT=$WORK/cups
lpoptions -p alfa/koncept -o print-quality=3 >/dev/null
[[ -f $WORK/cups/lpoptions || -f $WORK/.cups/lpoptions ]] || fail "no instance was made"
list=$("$DRIVER" --list-printers | sort | tr '\n' ' ')
[[ "$list" == "alfa zeta " ]] || fail "printer list: '$list'"

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
