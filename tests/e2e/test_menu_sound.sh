#!/usr/bin/env bash
# The graphics and sound screen: moving the global volume slider changes its label at once and,
# after "Main Menu", the saved value; the other volumes and the mode are saved as they were.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
menu_setup
printf '[Sound]\nGlobal = 128\nMusic = 77\nSfx = 200\n' >data/gameSettings

gx() { echo $(($1 + GFX_DX)); }
gy() { echo $(($1 + GFX_DY)); }
# label_cell N: dark pixels in character cell N of the global volume label ("Global: 128").
label_cell() { dark 8 8 $(gx $((215 + 8 * $1))) $(gy 30); }

start_game "$game"
click $((250 + MAIN_DX)) $((100 + MAIN_DY)) # "Vid/Aud"
wait_colour 5 5 $GFX_BG
shot
[ "$(label_cell 8)" -gt 3 ] || fail "no hundreds digit in 'Global: 128'"

# Grab the slider at its left end (it takes the focus), then Home and five steps right: 5.
click $(gx 218) $(gy 50)
press Home
for _ in 1 2 3 4 5; do press Right; done
wait_for 5 eval 'shot; [ "$(label_cell 8)" = 0 ] && [ "$(label_cell 9)" = 0 ] && [ "$(label_cell 10)" -gt 3 ]' ||
    fail "label does not read 'Global:   5'"

click $(gx 260) $(gy 200) # "Main Menu"
wait_colour 5 5 $MAIN_BG
expect_setting Sound Global 5
expect_setting Sound Music 77
expect_setting Sound Sfx 200
expect_setting Gfx ResX 640
expect_setting Gfx Driver 2
click $((150 + MAIN_DX)) $((90 + MAIN_DY)) # "Quit"
expect_exit 0
echo "volume slider changes its label and the saved value"
