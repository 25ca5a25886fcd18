#!/usr/bin/env bash
# With no campaign (missing list file) or no character (empty list file), "Start" stays on the
# start-game screen and says why in an alert; the description boxes keep their blank text and
# nothing is saved.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
menu_setup

: >data/listOfCharacters.txt # present but empty; the campaign list is missing altogether
printf '[Sound]\nGlobal = 128\n' >data/gameSettings

# alert_open: the alert box (black on white) covers the gap between the two buttons.
alert_open() { is_colour 320 240 255,255,255; }
# One text line in each description box: "Intentionally Left Blank.", nothing under it.
blank_boxes() {
    for box_x in 10 310; do
        [ "$(dark 270 8 $((box_x + 4 + START_DX)) $((304 + START_DY)))" -gt 50 ] || return 1
        [ "$(dark 270 80 $((box_x + 4 + START_DX)) $((314 + START_DY)))" = 0 ] || return 1
    done
}

start_game "$game"
click $((150 + MAIN_DX)) $((40 + MAIN_DY)) # "Start"
wait_colour 5 5 $START_BG
shot
blank_boxes || fail "description boxes are not blank"
[ "$(pixel 320 240)" = $START_BG ] || fail "the screen is not as expected before Start"

click $((300 + START_DX)) $((110 + START_DY)) # "Start"
wait_for 5 alert_open || fail "no alert after Start with empty lists"
press o
# The alert is gone and the start-game screen, not the main menu, is back.
wait_colour 320 240 $START_BG
shot
[ "$(pixel 5 5)" = $START_BG ] || fail "left the start-game screen"
blank_boxes || fail "description boxes changed"

press Escape
wait_colour 5 5 $MAIN_BG
[ -z "$(setting StartGame camp)" ] || fail "the choice was saved"
click $((150 + MAIN_DX)) $((90 + MAIN_DY)) # "Quit"
expect_exit 0
echo "Start with empty lists stays and alerts"
