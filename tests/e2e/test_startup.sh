#!/usr/bin/env bash
# The game starts in a real window and ends with status 0 when its main menu is left with Esc.
. "$(dirname "$0")/lib.sh"
game=$(readlink -f "$1")

start_x
setup_sound_home
work="$E2E_TMP/game"
mkdir -p "$work/data"
cd "$work"

"$game" &
pid=$!
E2E_PIDS+=($pid)
wait_for 15 xdotool search --pid "$pid" --name vorn || { echo "no game window" >&2; exit 1; }
sleep 0.5
xdotool keydown Escape
wait_exit "$pid" 30
xdotool keyup Escape
if [ "$E2E_STATUS" != 0 ]; then
    echo "vorn ended with status $E2E_STATUS" >&2
    exit 1
fi
echo "vorn started and quit with status 0"
