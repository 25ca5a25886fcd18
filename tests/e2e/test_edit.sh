#!/bin/bash
# vorn-edit on a copy of the shipped data: a value beyond its limits is reported as it is typed;
# one round field changed by typing and saved changes just that line and leaves the set without
# errors, and the round simulates; a broken campaign opens with its problems, and one whose check
# takes seconds shows its screen before them. An unsaved edit survives SIGTERM and is offered back;
# the close button asks before dropping it.
. "$(dirname "$0")/menu_lib.sh"
TOOLS="$(dirname "$1")/tools"
menu_setup
keep_shot_on_failure /tmp/edit_fail.png
cp -rL "$OLDPWD/data/." data/
cp data/campaigns/Tutorial "$E2E_TMP/Tutorial.before"

# edit: starts the editor on data/ and waits for its screen (the grey of the game's menus).
edit() {
    start_game "$TOOLS/vorn-edit" 5 470 || fail "no vorn-edit window: $(cat "$E2E_TMP/game.log")"
}

# status_changed: the words beside the buttons differ from $status (the checker runs after each
# edit, and the screen answers again once it is done).
status_changed() { shot && [ "$(dark 316 12 320 458)" != "$status" ]; }

edit
shot
status=$(dark 316 12 320 458)
# Tutorial's first round is shown; ArenaKB is its fourth field. A value beyond its limits is
# reported in the help box under the fields as it is typed, before anything is committed.
click 400 76
for _ in $(seq 1 12); do press BackSpace; done
shot
help=$(dark 464 62 172 141)
xdotool type --delay 80 1.5
reported() { shot && [ "$(dark 464 62 172 141)" -gt $((help + 100)) ]; }
wait_for 5 reported || fail "the typed 1.5 was not reported beside the field"
for _ in $(seq 1 3); do press BackSpace; done
xdotool type --delay 80 0.7
press Return
wait_for 10 status_changed || fail "the edit was not taken"
click 39 464 # Save
wait_for 10 grep -q "ArenaKB = 0.7" data/campaigns/Tutorial || fail "ArenaKB was not saved"
diff "$E2E_TMP/Tutorial.before" data/campaigns/Tutorial >"$E2E_TMP/diff" || true
[ "$(cat "$E2E_TMP/diff")" = $'15c15\n< ArenaKB = 0.5\n---\n> ArenaKB = 0.7' ] ||
    fail "more than the one line changed: $(cat "$E2E_TMP/diff")"
shot
clean=$(dark 632 124 4 324)
# box_filled: the problems box holds more than the clean campaign's one line of counts.
box_filled() { shot && [ "$(dark 632 124 4 324)" -gt $((clean * 2)) ]; }
click 125 286 # Simulate: seven lines of runs where the one line of counts stood
wait_for 30 box_filled || fail "Simulate listed no runs"
click 267 464 # Quit: nothing unsaved, so no question
expect_exit 0
out=$("$TOOLS/vorn-check" data) || true
[ "${out##*$'\n'}" = "0 errors, 0 warnings" ] || fail "vorn-check after the edit: $out"

# A spawn line of a type nobody wrote and a round count beyond the rounds written.
sed -i 's/^Spawn0 = VigorOrb 1 10/Spawn0 = Nobody 1 10/; s/^TotalRounds = 4/TotalRounds = 6/' data/campaigns/Tutorial
edit
wait_for 10 box_filled || fail "the problems of the broken campaign are not listed ($(dark 632 124 4 324) dark pixels, $clean when clean)"
kill -0 "$GAME_PID" || fail "vorn-edit ended on a broken campaign"
heading=$(dark 160 10 4 108)
click 267 464
expect_exit 0

# A campaign that says it has a hundred million rounds lists the first thousand and says so at
# once; its problems, which take the checker seconds, follow.
sed -i 's/^TotalRounds = 6/TotalRounds = 100000000/' data/campaigns/Tutorial
edit
shot
[ "$(dark 160 10 4 108)" -gt $((heading * 2)) ] || fail "the rounds of a hundred-million-round campaign are not listed"
box_filled && fail "the screen waited for the checker"
wait_for 60 box_filled || fail "the problems of a hundred-million-round campaign are not listed"
click 267 464
expect_exit 0

# Unsaved work survives a quit signal: its recovery copy beside the file is offered at the next
# start and comes back unsaved. The close button asks before it drops unsaved changes, as Quit does.
cp "$E2E_TMP/Tutorial.before" data/campaigns/Tutorial
start_wm
edit
shot
status=$(dark 316 12 320 458)
middle() { dark 480 60 80 210; } # where a question box stands
click 400 76
for _ in $(seq 1 12); do press BackSpace; done
xdotool type --delay 80 0.6
press Return
wait_for 10 status_changed || fail "the edit was not taken"
unsaved=$(dark 316 12 320 458) plain=$(middle)
grep -q "^ArenaKB = 0.6" data/campaigns/.Tutorial.recovery || fail "no recovery copy of the unsaved edit"
kill -TERM "$GAME_PID"
expect_exit 143
cmp -s data/campaigns/Tutorial "$E2E_TMP/Tutorial.before" || fail "the signal wrote the unsaved edit"
edit
asks() { shot && [ "$(middle)" != "$plain" ]; }
wait_for 10 asks || fail "the recovery copy was not offered"
press r
restored() { shot && [ "$(dark 316 12 320 458)" = "$unsaved" ] && [ "$(middle)" = "$plain" ]; }
wait_for 10 restored || fail "the recovery copy was not restored as unsaved"
cmp -s data/campaigns/Tutorial "$E2E_TMP/Tutorial.before" || fail "restoring wrote the file"
wmctrl -i -c "$GAME_WIN"
wait_for 10 asks || fail "the close button did not ask before dropping the unsaved changes"
press q
expect_exit 0
[ ! -e data/campaigns/.Tutorial.recovery ] || fail "the changes given up on Quit were kept"
cmp -s data/campaigns/Tutorial "$E2E_TMP/Tutorial.before" || fail "quitting wrote the file"
