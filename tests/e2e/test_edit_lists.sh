#!/bin/bash
# vorn-edit's New campaign and its Lists screen on a copy of the shipped data: a campaign made with
# New and given a round is saved as a file, listed, and checked as a round without an arena; one
# character description line edited in Lists and saved changes just that line.
. "$(dirname "$0")/menu_lib.sh"
TOOLS="$(dirname "$1")/tools"
menu_setup
keep_shot_on_failure /tmp/edit_lists_fail.png
cp -rL "$OLDPWD/data/." data/
cp data/listOfCharacters.txt "$E2E_TMP/characters.before"

start_game "$TOOLS/vorn-edit" 5 470 || fail "no vorn-edit window: $(cat "$E2E_TMP/game.log")"
shot
status=$(dark 160 12 476 458)
status_changed() { shot && [ "$(dark 160 12 476 458)" != "$status" ]; }
click 142 9 # New
asks_name() { shot && [ "$(dark 296 10 172 192)" -gt 100 ]; }
wait_for 10 asks_name || fail "New asks no name"
xdotool type --delay 80 Quarry
press Return
wait_for 10 status_changed || fail "no campaign was made"
click 29 264 # Add a round
has_round() { shot && [ "$(dark 150 20 8 122)" -gt 20 ]; }
wait_for 10 has_round || fail "no round was added"
click 39 464 # Save
wait_for 10 test -f data/campaigns/Quarry || fail "the new campaign was not saved"
[ "$(tail -2 data/listOfCampaigns.txt)" = $'Quarry\n[End]' ] || fail "Quarry is not listed last"
out=$("$TOOLS/vorn-check" data | grep -v '^    ') || true
[ "$out" = "data/campaigns/Quarry: warning: [Campaign] Music: no music is named
data/campaigns/Quarry: error: [Round0] ArenaPic: ArenaPic needs a datafile and an arena picture
1 error, 1 warning" ] || fail "vorn-check on the new campaign: $out"

click 434 464 # Lists
wait_colour 175 205 160,160,160 # the preview's panel
click 40 31 # Characters: the first line of the first one's description is in the field
status_changed() { shot && [ "$(dark 160 12 320 458)" != "$status" ]; }
shot
status=$(dark 160 12 320 458)
click 400 147
press End
for _ in $(seq 1 20); do press BackSpace; done
xdotool type --delay 80 "A sword fighter of the north."
press Return
wait_for 10 status_changed || fail "the description line was not taken"
click 39 464 # Save
wait_for 10 grep -q "of the north" data/listOfCharacters.txt || fail "the description was not saved"
diff "$E2E_TMP/characters.before" data/listOfCharacters.txt >"$E2E_TMP/diff" || true
[ "$(cat "$E2E_TMP/diff")" = $'2c2\n< A sword fighter.\n---\n> A sword fighter of the north.' ] ||
    fail "more than the one line changed: $(cat "$E2E_TMP/diff")"
click 267 464 # Back
wait_colour 175 205 192,192,192
click 267 464 # Quit: nothing unsaved, so no question
expect_exit 0
