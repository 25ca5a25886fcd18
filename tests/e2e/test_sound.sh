#!/usr/bin/env bash
# Real sound: the game's audio heard through an ALSA device that records to a file, and the
# game's start-up without any sound device (a message, then silence).
. "$(dirname "$0")/lib.sh"
game=$(readlink -f "$1")
listener="$(dirname "$game")/tests/test_sound"

start_x
setup_sound_home
VORN_SOUND_FILE="$E2E_SOUND" "$listener" --gtest_brief=1

# No .asoundrc and no sound card: ALSA finds no device.
export HOME="$E2E_TMP/silent-home"
mkdir -p "$HOME"
unset VORN_SOUND_FILE
"$listener" --gtest_brief=1 --gtest_filter='NoSoundDevice.*' 2>/dev/null

# The game itself without a sound device: one message naming the sound error, then it runs on
# silently, and Esc on its main menu quits normally.
work="$E2E_TMP/game"
mkdir -p "$work/data"
cd "$work"
"$game" 2>/dev/null &
pid=$!
E2E_PIDS+=($pid)
wait_for 30 pgrep -P "$pid" xmessage
box=$(pgrep -P "$pid" xmessage)
text=$(tr '\0' ' ' <"/proc/$box/cmdline")
case "$text" in
*"Music/Sound Error: no sound device could be opened (ALSA: "*) ;;
*) echo "unexpected message: $text" >&2; exit 1 ;;
esac
window=$(xdotool search --sync --class xmessage | head -1)
xdotool key --window "$window" Return 2>/dev/null || true
# The main menu follows; Esc leaves it.
wait_for 30 xdotool search --pid "$pid" --name vorn
game_window=$(xdotool search --pid "$pid" --name vorn | head -1)
wait_for 30 escape_game "$pid" "$game_window" || true
wait_exit "$pid" 5
if [ "$E2E_STATUS" != 0 ]; then
    echo "vorn ended with status $E2E_STATUS after the sound message" >&2
    exit 1
fi
echo "sound heard through the recording device; without one the game said so and ran silent"
