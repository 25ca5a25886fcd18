#!/bin/bash
# The guide's worked example built in vorn-edit by keyboard and mouse alone, on a copy of the built
# data set: the four unit types through New and the Key box, the Quarry campaign with its round and
# spawn lines, the two list entries; saved, the set checks clean and every file holds the guide's
# keys and values (order and comments aside). Then Play on Quarry with Mason, left with Esc.
# With VORN_SHOTS set to a folder, the unit types screen on the Mason is kept there.
. "$(dirname "$0")/menu_lib.sh"
TOOLS="$(dirname "$1")/tools"
GUIDE="$(cd "$(dirname "$0")/../.." && pwd)/docs/CONTENT.md"
menu_setup
keep_shot_on_failure /tmp/edit_example_fail.png
cp -rL "$OLDPWD/data/." data/
rm -f data/unit/{Pebbler,Pebble,MasonChip,Mason} data/campaigns/Quarry data/gameSettings

# block TAG: the text of the guide's block tagged TAG (file=data/unit/Pebble, expect=...).
block() { awk -v tag="$1" '$2 == tag { on = 1; next } on && /^```$/ { exit } on' "$GUIDE"; }
# keys: a file's "section key = value" lines, sorted, without comments and blank lines.
keys() {
    awk '/^\[/ { s = $0; next } /^[ \t]*(#|$)/ { next }
         { k = $0; sub(/[ \t]*=.*/, "", k); v = $0; sub(/^[^=]*=[ \t]*/, "", v); print s, k, "=", v }' | sort
}
# typed TEXT: typed into the focused field, then Enter. The editor keeps clicks and keys in the
# order they were made even while a check holds it, so nothing here waits for it.
typed() { xdotool type --delay 40 "$1"; press Return; }
clear_field() { press End; xdotool key --delay 20 --repeat 40 BackSpace; }

start_game "$TOOLS/vorn-edit" 5 470 || fail "no vorn-edit window: $(cat "$E2E_TMP/game.log")"
click 350 464 # Unit types
for unit in Pebbler Pebble MasonChip Mason; do
    tag=file=data/unit/$unit
    [ $unit = Pebbler ] && tag=expect=data/unit/Pebbler
    click 42 212 # New
    typed $unit
    block $tag | keys >"$E2E_TMP/$unit.keys"
    [ -s "$E2E_TMP/$unit.keys" ] || fail "the guide has no block $tag"
    while read -r section key _ value; do
        press ctrl+k # the Key box: a click could come while a check holds the editor
        typed "$key"
        clear_field # New writes a datafile, and a filled addedUnitN already counts itself
        typed "$value"
    done < <(block $tag | keys | sed 's/^\([^[]\)/- \1/')
done
if [ -n "${VORN_SHOTS:-}" ]; then
    xdotool mousemove 1000 700 && sleep 0.5 && shot && mkdir -p "$VORN_SHOTS" &&
        cp "$E2E_TMP/shot.png" "$VORN_SHOTS/edit-example-units.png"
fi
click 267 464 # Back

# Quarry: New lists it last with the shown campaign's Datafile, the tutorial's; then its keys.
click 142 9
typed Quarry
click 596 9 # the [Campaign] page
field() { click 400 $((27 + 17 * $1)); clear_field; typed "$2"; }
field 2 data/music/tutorial.ogg
field 3 Pebbler
click 596 9 # back to the round
click 29 264 # Add a round
round() { block file=data/campaigns/Quarry | keys | awk -v k="$1" '$1 == "[Round0]" && $2 == k { sub(/^[^=]*= /, ""); print }'; }
n=0
for key in name ArenaSize ArenaPic ArenaKB ArenaWall; do field $n "$(round $key)"; n=$((n + 1)); done
for i in 0 1 2; do
    click 598 232 # Add line
    click 364 297
    clear_field
    typed "$(round Spawn$i)"
done

click 434 464 # Lists
describe() { click 212 168; click 300 147; typed "$1"; }
click 40 23 # Campaigns; Quarry is the fourth entry
click 40 84
describe "An example campaign: pebble throwers in a quarry."
click 40 31 # Characters; a new entry after the third
click 40 76
click 43 250
click 300 11
clear_field
typed Mason
describe "Left: a stone chip. Right: a fan of five."
click 39 464 # Save
saved() {
    grep -q Mason data/listOfCharacters.txt && grep -q Quarry data/listOfCampaigns.txt &&
        test -f data/campaigns/Quarry -a -f data/unit/Mason -a -f data/unit/Pebbler
}
wait_for 120 saved || fail "the example was not saved"
click 267 464 # Back

out=$("$TOOLS/vorn-check" data) || true
[ "${out##*$'\n'}" = "0 errors, 0 warnings" ] || fail "vorn-check on the example: $out"
for unit in Pebbler Pebble MasonChip Mason; do
    keys <data/unit/$unit | diff "$E2E_TMP/$unit.keys" - || fail "data/unit/$unit differs from the guide"
done
block file=data/campaigns/Quarry | keys | diff - <(keys <data/campaigns/Quarry) ||
    fail "data/campaigns/Quarry differs from the guide"
for list in Campaigns Characters; do
    [ "$(tail -3 data/listOf$list.txt)" = "$(block append=data/listOf$list.txt)" ] ||
        fail "listOf$list.txt does not end with the guide's entry"
done

# Play on Quarry's round, shown since New picked it, with Mason: the game shows its battle, Esc ends it.
editor=$GAME_PID
click 84 308 # Play
asks_character() { shot && [ "$(dark 3 12 219 306)" -ge 10 ]; }
wait_for 20 asks_character || fail "Play asked for no character"
click 300 186 # Mason, the fourth name
click 273 330 # Play
wait_for 20 pgrep -P $editor -x vorn || fail "Play started no game"
played=$(pgrep -P $editor -x vorn)
[[ "$(tr '\0' ' ' <"/proc/$played/cmdline")" == *"--play Quarry --round 0 --character Mason "* ]] ||
    fail "the game was started as: $(tr '\0' ' ' <"/proc/$played/cmdline")"
wait_for 20 xdotool search --pid "$played" --name vorn || fail "the game shows no window"
editor_win=$GAME_WIN GAME_WIN=$(xdotool search --pid "$played" --name vorn | tail -1)
wait_for 20 in_battle || fail "the game shows no battle of the example"
wait_for 30 escape_game "$played" "$GAME_WIN" || fail "Esc did not end the game"
GAME_WIN=$editor_win
click 267 464 # Quit: everything saved
expect_exit 0
