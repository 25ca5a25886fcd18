#!/usr/bin/env bash
# The game starts in a real window, shows its main menu, and ends with status 0 when the player
# leaves it with Esc. Its command line answers --help and --version without a window and
# refuses what it does not know with status 2.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
"$game" --help | grep -q "^usage: vorn" || fail "vorn --help shows no usage"
"$game" --version | grep -Eq "^vorn [0-9]+\.[0-9]+\.[0-9]+$" || fail "vorn --version shows no version"
status=0
"$game" --no-such-option 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "an unknown option ended with status $status, not 2"
menu_setup

start_game "$game"
press Escape
expect_exit 0
echo "vorn started and quit with status 0"
