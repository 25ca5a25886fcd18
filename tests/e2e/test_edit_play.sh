#!/bin/bash
# Play in vorn-edit: the game starts straight into the round shown, with the character chosen and
# the unsaved edit in a scratch copy of the data; Esc in the game brings the editor back with the
# game's line, and nothing of the real data set is written. A quit signal to the editor during
# play ends both. The game alone refuses an unknown campaign, round or character on the terminal
# with status 2.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
TOOLS="$(dirname "$game")/tools"
menu_setup
keep_shot_on_failure /tmp/edit_play_fail.png
cp -rL "$OLDPWD/data/." data/

# A round the game cannot play is said on the terminal, without a message window: a window would
# hold the game until closed, so an exit with status 2 in time shows there was none.
for refused in "Nowhere:no campaign Nowhere" "Tutorial --round 9:has no round 9" \
    "Tutorial --character Nobody:Nobody"; do
    "$game" --play ${refused%%:*} >"$E2E_TMP/refused.log" 2>&1 &
    pid=$!
    E2E_PIDS+=($pid)
    wait_exit $pid 20 || fail "vorn --play ${refused%%:*} waits: $(pgrep -a -P $pid)"
    [ "$E2E_STATUS" = 2 ] || fail "vorn --play ${refused%%:*} ended with status $E2E_STATUS, not 2"
    grep -q "^vorn: .*${refused#*:}" "$E2E_TMP/refused.log" ||
        fail "vorn --play ${refused%%:*} said: $(cat "$E2E_TMP/refused.log")"
done

start_game "$TOOLS/vorn-edit" 5 470 || fail "no vorn-edit window: $(cat "$E2E_TMP/game.log")"
editor=$GAME_PID
shot
status=$(dark 316 12 320 458)
click 400 76 # ArenaKB of the first round, changed and left unsaved
for _ in $(seq 1 12); do press BackSpace; done
xdotool type --delay 80 0.7
press Return
status_changed() { shot && [ "$(dark 316 12 320 458)" != "$status" ]; }
wait_for 10 status_changed || fail "the edit was not taken"
# Round 1, its row shown inverted once chosen; a click while the checker runs goes unseen.
round_1() { click 40 134 && shot && [ "$(dark 150 6 8 130)" -gt 500 ]; }
wait_for 10 round_1 || fail "round 1 could not be chosen"
before=$(dark 632 114 4 334)
touch "$E2E_TMP/before" # the edit's recovery copy is written; playing writes nothing more

# play_round: Play, then the character dialog's Play; the game's pid in $played once its window shows.
# The dialog's left border stands at x 220; a click while the editor is busy goes unseen.
asks_character() { click 84 308 && shot && [ "$(dark 3 12 219 306)" -ge 10 ]; }
play_round() {
    wait_for 20 asks_character || fail "Play asked for no character"
    click 273 330
    wait_for 20 pgrep -P $editor -x vorn || fail "Play started no game"
    played=$(pgrep -P $editor -x vorn)
    wait_for 20 xdotool search --pid "$played" --name vorn || fail "the game shows no window"
}
play_round
args=$(tr '\0' ' ' <"/proc/$played/cmdline")
[[ "$args" == *"--windowed --play Tutorial --round 1 --character Warden "* ]] || fail "the game was started as: $args"
scratch=$(sed 's/.*--data \([^ ]*\) .*/\1/' <<<"$args")
grep -q "^ArenaKB = 0.7" "$scratch/campaigns/Tutorial" || fail "the game does not see the unsaved edit"
grep -q "^ArenaKB = 0.7" data/campaigns/Tutorial && fail "the unsaved edit was written to the data set"
window=$(xdotool search --pid "$played" --name vorn | tail -1)
editor_win=$GAME_WIN GAME_WIN=$window
wait_for 20 in_battle || fail "the game shows no battle"
GAME_WIN=$editor_win
wait_for 30 escape_game "$played" "$window" || fail "Esc did not end the game"
problems_grew() { shot && [ "$(dark 632 114 4 334)" -gt "$before" ]; }
wait_for 10 problems_grew || fail "the editor shows no line of the game"
[ -z "$(find data -newer "$E2E_TMP/before")" ] || fail "playing wrote into the data set: $(find data -newer "$E2E_TMP/before")"
[ -z "$(ls -d "$scratch" 2>/dev/null)" ] || fail "the scratch data set was left behind"

play_round
kill -TERM $editor
wait_exit $editor 10
[ "$E2E_STATUS" = 143 ] || fail "the editor ended with status $E2E_STATUS on SIGTERM during play, not 143"
wait_for 5 bash -c "! kill -0 $played" || fail "the game outlived the editor"
echo "Play started the round in the game and came back with its line"
