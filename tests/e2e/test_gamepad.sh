#!/usr/bin/env bash
# A gamepad alone plays: its A starts the Tutorial through both menus, the left stick walks, the
# right stick aims, a trigger attacks, Start pauses the round (the stick walks nobody), Back leaves
# it as it was left; the kept replay plays back to its end, and B in the main menu quits.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
sim=$(dirname "$game")/tools/vorn-sim
repo=$(pwd)
shipped_setup "$repo"
keep_shot_on_failure /tmp/vorn-e2e-failed-gamepad.png
pad_game "$game"
A=0 B=1 BACK=6 START=7

start_game "$PAD_GAME"
pad_press $A # "Start" of the main menu
wait_colour 5 5 $START_BG
pad_press $A # "Start" of the start-game screen
wait_for 15 in_battle || fail "the Tutorial did not start from the gamepad"

pad_event 2 0 32767 && pad_event 2 4 -32767 && sleep 0.5 # left stick right, right stick up
pad_event 2 0 0 && pad_event 2 3 -32767 && pad_event 2 4 0 # right stick left
pad_event 2 5 32767 && sleep 0.3 && pad_event 2 5 -32767   # right trigger
pad_event 2 3 0 && pad_press $START
# Paused, the left stick pushed walks nobody; after the second Start it does.
wait_for 5 arena_settles || fail "the arena never stood still after Start"
paused=$(arena_now)
pad_event 2 0 -32767 && sleep 0.5
[ "$(arena_now)" = "$paused" ] || fail "the round goes on after Start paused it"
pad_press $START
wait_for 5 arena_moved_from "$paused" || fail "the left stick walks nobody after the second Start"
pad_event 2 0 0
pad_press $BACK
wait_colour 5 5 $MAIN_BG

replay=$(ls -t data/replays/*.vornreplay 2>/dev/null | head -1)
[ -n "$replay" ] || fail "no replay was kept in data/replays"
grep -q '^result=left' "$replay" || fail "the pad's Back did not leave the round: $(head -12 "$replay")"
if [ -x "$sim" ]; then
    "$sim" --replay "$replay" --verify >"$E2E_TMP/sim.log" 2>&1 || fail "vorn-sim --verify: $(cat "$E2E_TMP/sim.log")"
fi
pad_press $B
expect_exit 0
echo "ok: played and left a round with the gamepad alone"
