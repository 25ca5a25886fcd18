#!/usr/bin/env bash
# Types in the worked example of docs/CONTENT.md as written (every code block tagged file=PATH
# or append=PATH), over a copy of the shipped data set, then checks that vorn-check finds nothing
# wrong, that vorn-sim plays the example's round and that the music it borrows stays the tutorial's.
# The scripted player wins it with the example's mason, the same in playTest and in vorn-sim.
#   content_example_check.sh <vorn-check> <vorn-sim> <composeMusic> <playTest>
set -u
check=$1 sim=$2 compose=$3 playtest=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -rL "$(pwd)/data" "$work/data" # the data set the build made, run from the test folder
rm -f "$work/data/gameSettings"

awk -v out="$work" '
    /^```[a-z]* (file|append)=/ {
        split($2, tag, "=");
        path = out "/" tag[2];
        if (tag[1] == "file") printf "" > path; else printf "" >> path;
        inside = 1; blocks++; next
    }
    inside && /^```$/ { close(path); inside = 0; next }
    inside { print >> path }
    END { if (blocks < 5) exit 1 }
' "$root/docs/CONTENT.md" || { echo "the guide has no worked example blocks"; exit 1; }

for f in data/unit/Pebbler data/unit/Pebble data/unit/Mason data/unit/MasonChip data/campaigns/Quarry; do
    [ -s "$work/$f" ] || { echo "the example did not make $f"; exit 1; }
done

out=$("$check" "$work/data")
if [ "$out" != "0 errors, 0 warnings" ]; then
    echo "vorn-check on the example:"; echo "$out"; exit 1
fi

music=$("$compose" "$work") || { echo "$music"; exit 1; }
grep -qx "data/music/tutorial.ogg: 40.0 s at 96 beats per minute" <<<"$music" &&
    grep -qx "data/music/tutorial.ogg is shared by the campaigns Quarry, Tutorial: all play Tutorial's tune" <<<"$music" ||
    { echo "composeMusic on the example:"; echo "$music"; exit 1; }

cd "$work"
# Without a player the enemies of the first wave must be there and stay.
run=$("$sim" --campaign Quarry --character none --no-script --steps 300 --frame-ratio 1) || {
    echo "$run"; exit 1; }
grep -Eq 'enemy [1-9]' <<<"$run" || { echo "no Pebbler appeared:"; echo "$run"; exit 1; }
# The mason's attacks fire on a click: the scripted player presses and lets go, and wins.
run=$("$sim" --campaign Quarry --character Mason --seed 1000 --steps 20000 --until-over --frame-ratio 1) || {
    echo "$run"; exit 1; }
grep -Eq '^round: won' <<<"$run" || { echo "vorn-sim's scripted mason did not win:"; echo "$run"; exit 1; }
table=$("$playtest" --campaigns Quarry --characters Mason --seeds 1) || { echo "$table"; exit 1; }
grep -Eq '^Quarry +0 +Mason +1/1 w' <<<"$table" || { echo "playTest does not agree:"; echo "$table"; exit 1; }
echo "$run"
