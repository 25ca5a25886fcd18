#!/bin/bash
# vorn-edit's unit types on a copy of the shipped data: one key of Grub changed by typing and saved
# changes just that line and leaves the set without errors; a picked animation plays in its box.
. "$(dirname "$0")/menu_lib.sh"
TOOLS="$(dirname "$1")/tools"
menu_setup
keep_shot_on_failure /tmp/edit_units_fail.png
cp -rL "$OLDPWD/data/." data/
cp data/unit/Grub "$E2E_TMP/Grub.before"

start_game "$TOOLS/vorn-edit" 5 470 || fail "no vorn-edit window: $(cat "$E2E_TMP/game.log")"
click 350 464 # Unit types
# The heading over the fields names the unit, its group and page; the campaign screen's names only
# its section, ending before x 260.
unit_screen() { shot && [ "$(dark 100 10 260 4)" -gt 20 ]; }
wait_for 10 unit_screen || fail "the unit types screen did not open"
status=$(dark 316 12 320 458)
status_changed() { shot && [ "$(dark 316 12 320 458)" != "$status" ]; }
# Grub is the ninth type, the list's items 8 pixels apart; maxHP is the Global group's fourth field.
click 40 88
click 500 78
for _ in $(seq 1 8); do press BackSpace; done
xdotool type --delay 80 45
press Return
wait_for 20 status_changed || fail "the edit was not taken"
click 39 464 # Save
wait_for 10 grep -q "maxHP = 45" data/unit/Grub || fail "maxHP was not saved"
diff "$E2E_TMP/Grub.before" data/unit/Grub >"$E2E_TMP/diff" || true
[ "$(cat "$E2E_TMP/diff")" = $'4c4\n< maxHP = 40\n---\n> maxHP = 45' ] ||
    fail "more than the one line changed: $(cat "$E2E_TMP/diff")"

# animRun, the second animation Grub has, shown a fraction of a second apart.
click 200 264
box() { convert "$E2E_TMP/shot.png" -crop 120x120+292+238 +repage "$E2E_TMP/$1.png"; }
plays() {
    shot && box first && sleep 0.2 && shot && box second &&
        [ "$(compare -metric AE "$E2E_TMP/first.png" "$E2E_TMP/second.png" null: 2>&1)" != 0 ]
}
wait_for 10 plays || fail "the animation does not play in its box"
click 267 464 # Back
campaign_screen() { ! unit_screen; }
wait_for 10 campaign_screen || fail "Back did not return to the campaigns"
click 267 464 # Quit: nothing unsaved, so no question
expect_exit 0
out=$("$TOOLS/vorn-check" data) || true
[ "${out##*$'\n'}" = "0 errors, 0 warnings" ] || fail "vorn-check after the edit: $out"
