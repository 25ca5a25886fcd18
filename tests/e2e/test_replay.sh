#!/usr/bin/env bash
# A round of the Tutorial played, paused and left is kept as a replay; vorn-sim plays it to the
# recorded end state, and the Replays screen plays it back on screen to the same state and the
# same last frame as the one the player left. With VORN_KEEP_REPLAY set to a path, the kept replay
# file is copied there. A file where the replays folder should be is said once, and the game plays.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
sim=$(dirname "$game")/tools/vorn-sim
repo=$(pwd)
[ -x "$sim" ] || fail "no vorn-sim beside the game: build the target vorn-sim"
shipped_setup "$repo"
keep_shot_on_failure /tmp/vorn-e2e-failed-replay.png

REPLAYS_DX=20 REPLAYS_DY=30 # Replays screen: 600x420, its list at (10, 44), rows 8 pixels high

start_game "$game"
click $((150 + MAIN_DX)) $((40 + MAIN_DY)) # "Start"
wait_colour 5 5 $START_BG
click $((50 + START_DX)) $((36 + START_DY))   # first campaign, the Tutorial
click $((410 + START_DX)) $((36 + START_DY))  # first character
click $((300 + START_DX)) $((110 + START_DY)) # "Start"
wait_for 15 in_battle || fail "the Tutorial did not start"

xdotool mousemove $((WIN_X + 320)) $((WIN_Y + 240))
hold d 0.5
for step in 1 2 3 4; do
    xdotool mousemove_relative -- $((step % 2 ? 60 : -40)) $((step % 3 ? -30 : 50))
    click $((300 + step * 20)) $((160 + step * 15))
    hold w 0.2
done
press space
press Tab
wait_for 5 arena_settles || fail "the arena never stood still after Tab"
paused_arena=$(arena_now)
press Escape
wait_colour 5 5 $MAIN_BG

replay=$(ls -t data/replays/*.vornreplay 2>/dev/null | head -1)
[ -n "$replay" ] || fail "no replay was kept in data/replays"
grep -q '^result=left' "$replay" || fail "the replay does not say the round was left: $(head -12 "$replay")"
[ -z "${VORN_KEEP_REPLAY:-}" ] || cp "$replay" "$VORN_KEEP_REPLAY"
"$sim" --replay "$replay" --verify >"$E2E_TMP/sim.log" 2>&1 || fail "vorn-sim --verify: $(cat "$E2E_TMP/sim.log")"

mkfifo data/replays/recent-20000101-000000-001.vornreplay # passed over, never waited on
for try in 1 2 3 4 5; do
    click $((50 + MAIN_DX)) $((70 + MAIN_DY)) # "Replays"
    wait_for 2 is_colour 5 5 200,200,232 && break
done
click $((100 + REPLAYS_DX)) $((48 + REPLAYS_DY))  # the newest replay, the first row
click $((210 + REPLAYS_DX)) $((380 + REPLAYS_DY)) # "Watch"
wait_for 60 grep -q '^replay of ' "$E2E_TMP/game.log" || fail "the playback did not end"
grep '^replay of ' "$E2E_TMP/game.log" | grep -q ', the same$' || fail "$(grep '^replay of ' "$E2E_TMP/game.log")"
shot
in_battle || fail "the playback's last frame is not held"
[ "$(arena_sum)" = "$paused_arena" ] || fail "the playback's last frame differs from the paused round"
press Escape
wait_colour 5 5 200,200,232
click $((390 + REPLAYS_DX)) $((380 + REPLAYS_DY)) # "Back"
wait_colour 5 5 $MAIN_BG

# A file where the replays folder should be: said once, before the battle, which is played.
rm -rf data/replays
echo "not a folder" >data/replays
click $((150 + MAIN_DX)) $((40 + MAIN_DY)) # "Start"
wait_colour 5 5 $START_BG
click $((300 + START_DX)) $((110 + START_DY)) # "Start", the Tutorial and the character still chosen
wait_for 10 pgrep -P "$GAME_PID" xmessage || fail "no message about the replays folder before the battle"
box=$(pgrep -P "$GAME_PID" xmessage | head -1)
grep -q "The replays cannot be kept in the folder data/replays: it is not a folder." "/proc/$box/cmdline" ||
    fail "unexpected message: $(tr '\0' ' ' <"/proc/$box/cmdline")"
kill "$box"
xdotool windowfocus "$GAME_WIN" 2>/dev/null || true
wait_for 15 in_battle || fail "the Tutorial did not start after the message"
press Escape
wait_colour 5 5 $MAIN_BG
! pgrep -P "$GAME_PID" xmessage >/dev/null || fail "the replays folder was spoken of twice"
press Escape
expect_exit 0
