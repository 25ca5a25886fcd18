#!/usr/bin/env bash
# A round played from the main menu: campaign picture, round title, the zoomed arena with its
# HUD, Tab pausing, F10 restarting, a lost round replayed, and Esc back to the main menu.
. "$(dirname "$0")/battle_lib.sh"

start_campaign
expect_screen 10 320 240 2040FF "campaign picture"
expect_screen 10 320 240 FF8000 "round 1 title over its arena"
[ "$(pixel 100 76)" = 306030 ] || { echo "FAIL: no arena under the title" >&2; exit 1; }

expect_screen 10 320 240 E0E0E0 "the tester in the arena's centre"
# The round ends by itself after a few seconds of play: what needs no play is checked paused.
# The drifter walks: the arena changes between two frames...
a=$(arena_now)
wait_for 5 arena_moved_from "$a" || { echo "FAIL: nothing moves in the arena" >&2; exit 1; }
# ...until Tab pauses it; the HUD is still drawn.
tap Tab
wait_for 5 arena_settles || { echo "FAIL: the arena never stood still after Tab" >&2; exit 1; }
a=$(arena_now)
sleep 0.6
b=$(arena_now)
[ "$a" = "$b" ] || { echo "FAIL: the arena changed while paused" >&2; exit 1; }
[ "$(pixel 128 20)" = A0A0A0 ] || { echo "FAIL: no HUD while paused" >&2; exit 1; }
echo "ok: Tab pauses the arena, the HUD stays"
# The arena fills 448 x 336 from (96, 72): its corners are inside, the pixels beyond are not.
for spot in "96 72 306030" "543 72 306030" "96 407 306030" "95 72 000000" "544 200 000000" \
            "300 71 000000" "300 408 000000"; do
    set -- $spot
    [ "$(pixel "$1" "$2")" = "$3" ] || { echo "FAIL: arena edge at $1,$2 is $(pixel "$1" "$2"), not $3" >&2; exit 1; }
done
echo "ok: arena at 96,72 zoomed to 448 x 336"

# HUD: bar frame from x 128 to 512, y 14 to 38; 30 of 90 HP fill a third of it.
[ "$(pixel 128 20)" = A0A0A0 ] && [ "$(pixel 512 20)" = A0A0A0 ] && [ "$(pixel 300 14)" = A0A0A0 ] ||
    { echo "FAIL: health bar frame" >&2; exit 1; }
[ "$(pixel 200 26)" = 600000 ] && [ "$(pixel 300 26)" = 000000 ] || { echo "FAIL: health bar fill" >&2; exit 1; }
for line in 432 442 452; do
    has_colour 260 "$line" 120 8 A0A0A0 || { echo "FAIL: no HUD text at y $line" >&2; exit 1; }
done
echo "ok: HUD texts and health bar"

tap Tab

# F10 restarts the round: its title comes again, over the same arena.
tap F10
expect_screen 5 320 240 FF8000 "F10 restarts round 1"
expect_screen 5 320 240 E0E0E0 "round 1 playing again"

# Walking into the wall costs the tester its health: the round is lost and replayed.
xdotool keydown d
expect_screen 10 320 240 C00000 "lose picture"
xdotool keyup d
expect_screen 10 320 240 FF8000 "the lost round is replayed from its title"
expect_screen 5 100 76 306030 "still round 1's arena"

# Esc leaves the campaign for the main menu.
expect_screen 5 320 240 E0E0E0 "round 1 playing"
tap Escape
expect_screen 5 10 10 C0C0C0 "Esc leads back to the main menu"

quit_from_menu
