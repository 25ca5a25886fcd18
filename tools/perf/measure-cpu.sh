#!/usr/bin/env bash
# Measures how much of a core the game uses while it plays the first round of the main campaign
# under a private X server: the game's user and system time from /proc/<pid>/stat over 10 s.
# Usage: tools/perf/measure-cpu.sh [path of vorn] [seconds]   (after a build; the data set beside the game)
# The screen half-way is kept in /tmp/vorn-measure-cpu.png.
. "$(dirname "$0")/../../tests/e2e/lib.sh"

game=$(readlink -f "${1:-build/vorn}")
seconds=${2:-10}
root=$(dirname "$game")

start_x
setup_sound_home
work="$E2E_TMP/game"
mkdir -p "$work"
cp -r "$root/data" "$work/data"
# Conquest is the second campaign of the list; Warden the first character; 640 x 480 x 32.
cat >"$work/data/gameSettings" <<SETTINGS
[Gfx]
ResX = 640
ResY = 480
Depth = 32
[StartGame]
camp = 1
pc = 0
SETTINGS
cd "$work"
"$game" >/dev/null 2>&1 &
pid=$!
E2E_PIDS+=($pid)

sleep 3
xdotool key Return # the main menu's Start
sleep 1
xdotool key Return # the start-game screen's Start
sleep 4            # the campaign and round pictures

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(cpu)
start=$(date +%s.%N)
sleep "$(awk -v s="$seconds" 'BEGIN { print s / 2 }')"
# The screen half-way, to see that a round is being played.
import -window root /tmp/vorn-measure-cpu.png 2>/dev/null || true
sleep "$(awk -v s="$seconds" 'BEGIN { print s / 2 }')"
after=$(cpu)
end=$(date +%s.%N)
kill -9 "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
awk -v a="$after" -v b="$before" -v t="$ticks" -v s="$start" -v e="$end" \
    'BEGIN { printf "vorn used %.1f %% of a core over %.1f s in a round of Conquest\n", 100 * (a - b) / t / (e - s), e - s }'
