#!/usr/bin/env bash
# Every replay kept in tests/replays must end in the state it was recorded in, with the contact
# grid and with the all-pairs scan. A change of the rules that changes how one of these rounds
# goes fails here until the replays are recorded again on purpose (tools/record-test-replays.sh
# for the scripted ones; a played one is replaced by playing it again).
#   replays_check.sh <vorn-sim>
set -u
sim=$1
count=0 bad=0
for replay in tests/replays/*.vornreplay; do
    for scan in "" --exhaustive; do
        if ! out=$("$sim" --replay "$replay" --verify $scan 2>&1); then
            echo "$replay ${scan:-(grid)} no longer plays as recorded:"
            echo "$out"
            bad=1
        fi
    done
    count=$((count + 1))
done
[ "$count" -ge 8 ] || { echo "expected at least 8 replays in tests/replays, found $count"; exit 1; }
[ "$bad" = 0 ] && echo "$count replays end in their recorded state"
exit $bad
