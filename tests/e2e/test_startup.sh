#!/usr/bin/env bash
# The game starts in a real window and ends by itself, with status 0, when its mode loop quits.
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
wait_exit "$pid" 30
if [ "$E2E_STATUS" != 0 ]; then
    echo "vorn ended with status $E2E_STATUS" >&2
    exit 1
fi
echo "vorn started and quit with status 0"
