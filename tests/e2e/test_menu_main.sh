#!/usr/bin/env bash
# The main menu opens in its own colours; "Quit" and Esc both end the game with status 0.
# Without a display it does not start and says why.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
menu_setup

# Without a display the game says why on the terminal and ends with status 1.
status=0
out=$(env -u DISPLAY "$game" 2>&1) || status=$?
[ "$status" = 1 ] || fail "without a display the game ended with status $status"
grep -q "could not start the Allegro library: no display to open a window on" <<<"$out" || fail "no reason: $out"

start_game "$game"
wait_colour 5 5 $MAIN_BG
# The "Start" button: black frame at its top-left corner, grey inside.
shot
[ "$(pixel $((100 + MAIN_DX)) $((20 + MAIN_DY)))" = 0,0,0 ] || fail "no Start button frame"
[ "$(pixel $((110 + MAIN_DX)) $((25 + MAIN_DY)))" = $MAIN_BG ] || fail "Start button not grey"
# The help box holds text.
[ "$(dark 290 60 $((5 + MAIN_DX)) $((135 + MAIN_DY)))" -gt 200 ] || fail "help text missing"
click $((150 + MAIN_DX)) $((90 + MAIN_DY)) # "Quit"
expect_exit 0
echo "Quit ends the game"

start_game "$game"
wait_colour 5 5 $MAIN_BG
press Escape
expect_exit 0
echo "Esc ends the game"
