#!/usr/bin/env bash
# SIGINT and SIGTERM end the game promptly through its own way out, in every state: the main
# menu, the "Press any key" prompt, a battle, an open message window. Every launch here is a
# background job of a script, so the game starts with SIGINT ignored, as such jobs do.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
repo=$(pwd)
shipped_setup "$repo"

# signal_ends SIGNAL STATUS WHAT: the signal ends the game within 3 s with that status, by itself
# (not by the last-resort exit), and leaves no message window behind.
signal_ends() {
    local start=$SECONDS box boxes
    boxes=$(pgrep -P "$GAME_PID" xmessage || true)
    kill -"$1" "$GAME_PID"
    wait_exit "$GAME_PID" 3 || fail "$3: still running 3 s after SIG$1"
    [ "$E2E_STATUS" = "$2" ] || { cat "$E2E_TMP/game.log" >&2; fail "$3: status $E2E_STATUS after SIG$1, expected $2"; }
    grep -q "did not end by itself" "$E2E_TMP/game.log" && fail "$3: ended only by the last resort"
    for box in $boxes; do
        kill -0 "$box" 2>/dev/null && fail "$3: a message window outlived the game"
    done
    echo "ok: SIG$1 $3 ends the game with status $2 in $((SECONDS - start)) s"
}

start_game "$game"
signal_ends INT 130 "at the main menu"

start_game "$game"
click $((50 + MAIN_DX)) $((100 + MAIN_DY)) # "Controls"
wait_colour 5 5 $CONTROL_BG
click $((50 + CONTROL_DX)) $((30 + CONTROL_DY)) # "Up": the prompt waits for a key
wait_for 5 is_colour 330 234 255,255,255 || fail "no 'Press any key' prompt"
signal_ends TERM 143 "at the key prompt"

start_game "$game"
press Return # "Start", then the start-game screen's "Start"
wait_colour 5 5 $START_BG
press Return
wait_for 20 in_battle || fail "no battle"
signal_ends INT 130 "in a battle"

# A character the game cannot play: its message window is open when the signal comes.
rm data/listOfCharacters.txt
printf 'Nobody\nNo one at all.\n[End]\n' >data/listOfCharacters.txt
start_game "$game"
press Return
wait_colour 5 5 $START_BG
press Return
wait_for 20 pgrep -P "$GAME_PID" xmessage || fail "no message window"
signal_ends TERM 143 "with a message window open"
