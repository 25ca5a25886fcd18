#!/usr/bin/env bash
# The game starts in a real window, shows its main menu, and ends with status 0 when the player
# leaves it with Esc.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
menu_setup

start_game "$game"
press Escape
expect_exit 0
echo "vorn started and quit with status 0"
