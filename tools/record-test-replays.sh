#!/usr/bin/env bash
# Records the scripted player's replays the tests play back (tests/replays/*.vornreplay): a few
# seconds of rounds of every shipped campaign, with each character and with one, two and three
# steps per drawn frame. Run it after the build (it plays the build folder's data set), and only
# on purpose: when a change of the rules is meant to change how these rounds go.
#   tools/record-test-replays.sh [build folder]
set -eu
cd "$(dirname "$0")/.."
out=$(pwd)/tests/replays
build=$(cd "${1:-build}" && pwd)
sim=$build/tools/vorn-sim
cd "$build"
mkdir -p "$out"
rm -f "$out"/scripted-*.vornreplay
# campaign round character steps-per-frame steps
while read -r campaign round character ratio steps; do
    name="scripted-$campaign-$round-$character.vornreplay"
    "$sim" --campaign "$campaign" --round "$round" --character "$character" --frame-ratio "$ratio" \
        --steps "$steps" --until-over --seed 7 --record "$out/$name" >/dev/null
    echo "$out/$name"
done <<'ROUNDS'
Tutorial 0 Warden 1 300
Tutorial 3 Hexa 2 400
Conquest 0 Sparrow 1 400
Conquest 4 Warden 3 400
Conquest 9 Hexa 1 400
Gauntlet 0 Sparrow 1 400
Gauntlet 2 Warden 2 400
ROUNDS
