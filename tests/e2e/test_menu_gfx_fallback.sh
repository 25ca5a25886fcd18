#!/usr/bin/env bash
# A stored screen mode that cannot be set (a driver id that does not exist) still starts the
# game at 640x480 through the safe driver, and leaving the graphics and sound screen with
# "Main Menu" keeps the stored mode as it was.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
menu_setup
printf '[Gfx]\nResX = 800\nResY = 600\nDepth = 24\nDriver = 4242\n' >data/gameSettings

gx() { echo $(($1 + GFX_DX)); }
gy() { echo $(($1 + GFX_DY)); }

start_game "$game"
eval "$(xdotool getwindowgeometry --shell "$GAME_WIN")"
[ "$WIDTH x $HEIGHT" = "640 x 480" ] || fail "window is ${WIDTH}x$HEIGHT, not 640x480"

click $((250 + MAIN_DX)) $((100 + MAIN_DY)) # "Vid/Aud"
wait_colour 5 5 $GFX_BG
click $(gx 260) $(gy 200) # "Main Menu"
wait_colour 5 5 $MAIN_BG
expect_setting Gfx Driver 4242
expect_setting Gfx ResX 800
expect_setting Gfx ResY 600

press Escape
expect_exit 0
echo "safe-driver start, stored mode kept"
