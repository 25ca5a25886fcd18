#!/usr/bin/env bash
# The whole campaign won without a key pressed: both rounds end with the win picture over their
# arena, the second round follows the first, and the closing picture leads back to the menus.
. "$(dirname "$0")/battle_lib.sh"

start_campaign
expect_screen 10 320 240 FF8000 "round 1 title"
expect_screen 10 320 240 00C000 "round 1 won"
[ "$(pixel 100 76)" = 306030 ] || { echo "FAIL: the win picture is not over round 1's arena" >&2; exit 1; }
expect_screen 10 320 240 00FFFF "round 2 title"
[ "$(pixel 100 76)" = 303060 ] || { echo "FAIL: round 2's title is not over its own arena" >&2; exit 1; }
expect_screen 10 320 240 00C000 "round 2 won"
expect_screen 10 320 240 FFD700 "closing picture"
expect_screen 10 10 10 C0C0C0 "back in the main menu"
grep -Eq "^camp *= *0" data/gameSettings && grep -Eq "^pc *= *0" data/gameSettings ||
    { echo "FAIL: the chosen campaign and character were not kept in the settings" >&2; exit 1; }
grep -Eq "^Depth *= *32" data/gameSettings || { echo "FAIL: the graphics settings were lost" >&2; exit 1; }
echo "ok: the settings keep the choice and the mode"
quit_from_menu
