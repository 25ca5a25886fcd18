#!/usr/bin/env bash
# The game's window among others, under a window manager: its title, its close button in the
# menus and in a battle, the focus taken away with a key held, and the X server going away.
E2E_WM=1
. "$(dirname "$0")/battle_lib.sh"
fail() { echo "FAIL: $*" >&2; cp "$shot_file" "/tmp/vorn-e2e-failed-window.png" 2>/dev/null || true; exit 1; }

window() { xdotool search --pid "$game_pid" --name . | tail -1; }
settings_sum() { md5sum <data/gameSettings; }
# close_ends WHAT: the close button ends the game with status 0, the settings as they were.
close_ends() {
    local before
    before=$(settings_sum)
    wmctrl -i -c "$(window)"
    wait_exit "$game_pid" 5 || fail "$1: the close button did not end the game"
    [ "$E2E_STATUS" = 0 ] || fail "$1: status $E2E_STATUS after the close button"
    [ "$(settings_sum)" = "$before" ] && [ ! -e data/gameSettings.new ] || fail "$1: the settings changed"
    echo "ok: the close button $1 ends the game with status 0"
}

# The title names the game and its version.
expect_screen 20 10 10 C0C0C0 "main menu"
title=$(xdotool getwindowname "$(window)")
[ "$title" = "VORN $("$game" --version | cut -d' ' -f2)" ] || fail "window title '$title'"
echo "ok: the window is titled '$title'"
printf '[Sound]\nGlobal = 200\n' >data/gameSettings # one to compare
close_ends "in the main menu"

# A movement key held when the focus goes: the battle pauses and the key is let go.
launch_game
start_campaign
expect_screen 20 320 240 E0E0E0 "the tester in the arena's centre"
# tester_at: where the tester is, as the box of its colour on the screen.
tester_at() { shot && convert "$shot_file" -fill black +opaque '#E0E0E0' -trim -format '%wx%h%X%Y' info:; }
focus_on() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
xdotool keydown d
sleep 0.3
xmessage -title elsewhere "Another window" &
other=$!
wait_for 5 xdotool search --name '^elsewhere$' || fail "no other window"
wmctrl -a elsewhere
wait_for 5 focus_on "$(xdotool search --name '^elsewhere$')" || fail "the other window did not take the focus"
xdotool keyup d # lands in the other window
sleep 0.3
kill "$other"
wmctrl -i -a "$(window)"
wait_for 5 focus_on "$(window)" || fail "the focus did not come back"
a=$(arena_now)
sleep 0.6
[ "$(arena_now)" = "$a" ] || fail "the arena moved after the focus went"
[ "$(pixel 128 20)" = A0A0A0 ] || fail "no HUD while paused"
echo "ok: losing the focus pauses the battle, coming back leaves it paused"
tap Tab
sleep 0.3
at=$(tester_at)
sleep 1
[ "$at" = 22x22+309+229 ] || [ "$at" = 23x22+309+229 ] && fail "the tester never walked ($at)"
[ -n "$at" ] && [ "$(tester_at)" = "$at" ] && [ "$(pixel 320 240)" != C00000 ] || fail "the tester walks on with no key held ($at, then $(tester_at))"
echo "ok: un-paused, the tester stands: the held key was let go"
close_ends "in a battle"

# The X server goes away under a battle: status 1 and one line that says so.
launch_game "$E2E_TMP/game.err"
start_campaign
expect_screen 20 320 240 E0E0E0 "the battle again"
before=$(settings_sum)
kill "${E2E_PIDS[0]}"
wait_exit "$game_pid" 10 || fail "the game outlived its display"
[ "$E2E_STATUS" = 1 ] || fail "status $E2E_STATUS after the display went: $(cat "$E2E_TMP/game.err")"
grep -v '^ALSA' "$E2E_TMP/game.err" | grep -qx "VORN lost its display.*" || fail "stderr: $(cat "$E2E_TMP/game.err")"
[ "$(settings_sum)" = "$before" ] || fail "the settings changed"
echo "ok: a lost display ends the game with status 1 and one line"
