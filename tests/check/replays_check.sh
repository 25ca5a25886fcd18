#!/usr/bin/env bash
# Every replay kept in tests/replays must end in the state it was recorded in, with the contact
# grid and with the all-pairs scan, and pass every checkpoint on the way. A change of the rules
# that changes how one of these rounds goes fails here until the replays are recorded again on
# purpose (tools/record-test-replays.sh for the scripted ones; a played one is replaced by playing
# it again). The format before checkpoints still plays, and upgrading it gives the file back.
#   replays_check.sh <vorn-sim>
set -u
sim=$1
count=0 bad=0
for replay in tests/replays/*.vornreplay; do
    for scan in "" --exhaustive; do
        if ! out=$("$sim" --replay "$replay" --verify $scan 2>&1) || ! grep -q '^checkpoints: all' <<<"$out"; then
            echo "$replay ${scan:-(grid)} no longer plays as recorded, checkpoints included:"
            echo "$out"
            bad=1
        fi
    done
    count=$((count + 1))
done
# A fifo where the replay should be is refused at once, with a message naming it.
pipe=$(mktemp -u /tmp/vorn-replay-XXXXXX) && mkfifo "$pipe"
out=$(timeout 20 "$sim" --replay "$pipe" 2>&1); status=$?
rm -f "$pipe"
[ "$status" = 1 ] && [ "$out" = "vorn-sim: $pipe is not a regular file" ] || { echo "a fifo as the replay: status $status, said: $out"; bad=1; }
[ "$count" -ge 8 ] || { echo "expected at least 8 replays in tests/replays, found $count"; exit 1; }

# The played replay as format 1 wrote it (no data digests' parts, checksum or checkpoints), with
# end= set to $2 when given: it plays, and upgrades to the kept file unless it misses its end.
old_format() {
    local header=$(sed -n '1,/^$/p' "$1" | wc -c) steps=$(grep -a -m1 '^steps=' "$1" | cut -d= -f2)
    sed -n '1,/^$/p' "$1" | sed -e '1s/ 2$/ 1/;/^text=/d;/^pictures=/d;/^check=/d' -e "${2:+s/^end=.*/end=$2/}"
    tail -c +$((header + 1)) "$1" | head -c $(($(wc -c <"$1") - header - 8 * (steps / 300 + 1)))
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
kept=tests/replays/played-Tutorial-0-Warden.vornreplay
old_format "$kept" >"$tmp/old.vornreplay"
old_format "$kept" 0123456789abcdef >"$tmp/wrong-end.vornreplay"
"$sim" --replay "$tmp/old.vornreplay" --verify >/dev/null && "$sim" --replay "$tmp/old.vornreplay" \
    --upgrade "$tmp/new.vornreplay" >/dev/null && cmp -s "$tmp/new.vornreplay" "$kept" ||
    { echo "format 1 does not play, or does not upgrade to $kept"; bad=1; }
"$sim" --replay "$tmp/wrong-end.vornreplay" --upgrade "$tmp/wrong.vornreplay" >/dev/null 2>&1
[ $? = 3 ] && [ ! -e "$tmp/wrong.vornreplay" ] || { echo "a replay that misses its end was upgraded"; bad=1; }

[ "$bad" = 0 ] && echo "$count replays end in their recorded state and pass their checkpoints"
exit $bad
