#!/usr/bin/env bash
# The controls screen: "Default Controls" restores W, S, A, D, SPACE, F10, TAB, ESC, Z and
# threshold 10; remapping Up to the up-arrow key asks "Press any key" and stores 84; a fast
# mouse movement over the preview draws its line white; "Main Menu" saves it all.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
menu_setup

# An odd mapping, with a scancode beyond the key table that only a hand-edited file holds.
cat >data/gameSettings <<'SETTINGS'
[Controls]
Up = 2
Down = 3
Left = 5
Right = 6
Hyper = 7
Restart = 8
Pause = 9
Menu = 10
Taunt = 300
MouseThreshold = 55
SETTINGS

cx() { echo $(($1 + CONTROL_DX)); }
cy() { echo $(($1 + CONTROL_DY)); }
prompt_open() { is_colour 330 234 255,255,255; }
# white_in_preview: pixels of the preview (150x150 at 225,60) drawn white.
white_in_preview() { shot && [ "$(count_colour 150 150 $(cx 225) $(cy 60) 255,255,255)" -gt 20 ]; }

start_game "$game"
click $((50 + MAIN_DX)) $((100 + MAIN_DY)) # "Controls"
wait_colour 5 5 $CONTROL_BG
shot
# The label beside "Taunt" is shown (no crash on scancode 300).
[ "$(dark 80 8 $(cx 115) $(cy 225))" -gt 20 ] || fail "no label for scancode 300"
# The preview: grey ground, a black line up from its centre.
[ "$(pixel $(cx 300) $(cy 135))" = 0,0,0 ] || fail "preview line not black at the centre"
[ "$(pixel $(cx 230) $(cy 65))" = 192,192,192 ] || fail "preview ground not grey"

click $(cx 200) $(cy 270) # "Default Controls"
click $(cx 50) $(cy 30)   # "Up"
wait_for 5 prompt_open || fail "no 'Press any key' prompt"
press Up
wait_colour 330 234 $CONTROL_BG
shot
# "UP" is two characters wide where "W" was one.
[ "$(dark 8 8 $(cx 123) $(cy 25))" -gt 5 ] || fail "Up's label is not two characters wide"

click $(cx 200) $(cy 295) # "Main Menu"
wait_colour 5 5 $MAIN_BG
expect_setting Controls Up 84
expect_setting Controls Down 19
expect_setting Controls Left 1
expect_setting Controls Right 4
expect_setting Controls Hyper 75
expect_setting Controls Restart 56
expect_setting Controls Pause 64
expect_setting Controls Menu 59
expect_setting Controls Taunt 26
expect_setting Controls MouseThreshold 10

click $((150 + MAIN_DX)) $((90 + MAIN_DY)) # "Quit"
expect_exit 0

# The preview, in a run of its own: while it reads the mouse, Allegro keeps the X pointer
# pinned, so this run leaves by the keyboard.
start_game "$game"
click $((50 + MAIN_DX)) $((100 + MAIN_DY)) # "Controls"
wait_colour 5 5 $CONTROL_BG
# A fast movement right across the preview aims it at once: the line turns white.
xdotool mousemove $((WIN_X + $(cx 240))) $((WIN_Y + $(cy 200)))
sleep 0.1
xdotool mousemove $((WIN_X + $(cx 360))) $((WIN_Y + $(cy 200)))
wait_for 5 white_in_preview || fail "fast movement did not turn the preview line white"

press Escape
wait_colour 5 5 $MAIN_BG
press Escape
expect_exit 0
echo "controls remap, restore defaults, preview and save"
