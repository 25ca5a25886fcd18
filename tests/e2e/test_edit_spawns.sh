#!/bin/bash
# vorn-edit's spawn table: a line added to a Tutorial round, set to side 10 and placed by a click
# in the arena drawn to scale, is saved with the position under the click, and the set still
# checks without errors.
. "$(dirname "$0")/menu_lib.sh"
TOOLS="$(dirname "$1")/tools"
menu_setup
keep_shot_on_failure /tmp/edit_spawns_fail.png
cp -rL "$OLDPWD/data/." data/

start_game "$TOOLS/vorn-edit" 5 470 || fail "no vorn-edit window: $(cat "$E2E_TMP/game.log")"
click 598 276 # Spawn table, for the round shown: Tutorial's first, of five lines
# changed W H X Y: the dark pixels of a region differ from $before.
changed() { shot && [ "$(dark "$@")" != "$before" ]; }
before=$(dark 400 12 200 2)
wait_for 10 changed 400 12 200 2 || fail "the spawn table did not open (no title)"
before=$(dark 300 8 4 70)
click 42 150 # Add line: the sixth row
wait_for 10 changed 300 8 4 70 || fail "no line was added"
click 130 224 # the side field
press End
for _ in $(seq 1 16); do press BackSpace; done
xdotool type --delay 80 10
press Return
before=$(dark 100 12 82 235)
wait_for 10 changed 100 12 82 235 || fail "side 10 brought no position"

# The arena, 400 x 300, drawn to scale below its caption in the box from (320, 178), 316 x 270.
read -r ax ay <<<"$(awk -v x=370 -v y=240 'BEGIN {
    s = 316 / 400; if (270 / 300 < s) s = 270 / 300
    left = 320 + int((316 - int(400 * s + .5)) / 2); top = 178 + int((270 - int(300 * s + .5)) / 2)
    printf "%d %d\n", (x - left + .5) / s + .5, (y - top + .5) / s + .5 }')"
click 370 240
xdotool mousemove $((WIN_X + 600)) $((WIN_Y + 300))
wait_colour 370 240 255,40,40 || fail "the picked line is not drawn where the arena was clicked"
before=$(dark 400 12 200 2)
click 191 464 # Back
wait_for 10 changed 400 12 200 2 || fail "Back did not lead to the campaign screen"
click 39 464 # Save
wait_for 10 grep -q "^Spawns = 6" data/campaigns/Tutorial || fail "the new line was not saved"
line=$(grep "^Spawn5 = " data/campaigns/Tutorial)
read -r _ _ type amount side condition delay threshold variant x y rest <<<"$line"
[ "$side $x $y" != "10  " ] && [ -z "$rest" ] || fail "saved: $line"
[ $((x - ax)) -le 1 ] && [ $((ax - x)) -le 1 ] && [ $((y - ay)) -le 1 ] && [ $((ay - y)) -le 1 ] ||
    fail "saved $line, the click was at $ax $ay"
click 267 464 # Quit
expect_exit 0
out=$("$TOOLS/vorn-check" data) || true
[[ "${out##*$'\n'}" == "0 errors,"* ]] || fail "vorn-check after the edit: $out"
