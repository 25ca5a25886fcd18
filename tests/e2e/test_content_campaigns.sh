#!/usr/bin/env bash
# Every shipped campaign with every shipped character, started from the main menu by clicking
# the start-game screen's lists: the first round comes up with no loading message, its units
# appear and move, the character walks, aims and attacks on scripted input (the juice bar
# changes), the HUD shows the score, and Esc leads back to the main menu for the next pair.
# With VORN_SHOTS set to a folder, one mid-fight screenshot per campaign is kept there.
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
repo=$(pwd)
shipped_setup "$repo"
keep_shot_on_failure /tmp/vorn-e2e-failed-content-campaigns.png

# names LIST: the entries of a selection list (a name, its description lines, "[End]").
names() { awk 'want && NF { print; want = 0 } /^\[End\]$/ { want = 1 } BEGIN { want = 1 }' "$1"; }
mapfile -t campaigns < <(names data/listOfCampaigns.txt)
mapfile -t characters < <(names data/listOfCharacters.txt)
[ ${#campaigns[@]} -ge 3 ] && [ ${#characters[@]} -ge 3 ] || fail "expected three campaigns and three characters"

ROW=8
camp_x=$((10 + START_DX)) char_x=$((370 + START_DX)) list_y=$((30 + START_DY))
# 640 x 480 battle screen: juice bar from (128, 14) to (512, 38), HUD text centred on x 320 at
# y 432 (round name) and 442 (score); the arena lies between them.
region_sum() { convert "$E2E_TMP/shot.png" -crop "$1x$2+$3+$4" +repage rgb:- | md5sum | cut -c1-32; }
bar_sum() { region_sum 380 20 130 16; }
score_sum() { region_sum 200 9 220 442; }
no_message() {
    if xdotool search --name xmessage >/dev/null 2>&1 || xdotool search --class Xmessage >/dev/null 2>&1; then
        fail "a loading message appeared: $(cat "$E2E_TMP/game.log")"
    fi
}

start_game "$game"
for c in "${!campaigns[@]}"; do
    for p in "${!characters[@]}"; do
        what="${campaigns[$c]} with ${characters[$p]}"
        wait_colour 5 5 $MAIN_BG
        # Back from a battle the menu may miss the first click while it settles: click again.
        for try in 1 2 3 4 5; do
            click $((150 + MAIN_DX)) $((40 + MAIN_DY)) # "Start"
            wait_for 2 is_colour 5 5 $START_BG && break
        done
        wait_colour 5 5 $START_BG
        click $((camp_x + 40)) $((list_y + 2 + c * ROW + ROW / 2))
        click $((char_x + 40)) $((list_y + 2 + p * ROW + ROW / 2))
        click $((300 + START_DX)) $((110 + START_DY)) # "Start"
        # Campaign picture and round title run on their own in about two seconds.
        wait_for 15 in_battle || { no_message; fail "$what: the round did not start"; }
        no_message
        shot
        [ "$(count_colour 200 9 220 442 160,160,160)" -gt 20 ] || fail "$what: no score in the HUD"
        first_arena=$(arena_sum) first_bar=$(bar_sum)

        # Scripted play: walk, turn the aim with the mouse, attack with all three.
        xdotool mousemove $((WIN_X + 320)) $((WIN_Y + 240))
        hold d 0.6
        shot
        [ "$(arena_sum)" != "$first_arena" ] || fail "$what: nothing moves in the arena"
        for step in 1 2 3 4 5 6; do
            xdotool mousemove_relative -- $((step % 2 ? 60 : -40)) $((step % 3 ? -30 : 50))
            click $((320 + step * 20)) $((150 + step * 15))
            xdotool keydown a
            sleep 0.15
            xdotool keyup a
        done
        xdotool mousedown 3; sleep 0.1; xdotool mouseup 3
        press space
        sleep 0.3
        shot
        [ "$(bar_sum)" != "$first_bar" ] || fail "$what: the juice bar never changed (no attack, no hit)"
        [ "$(arena_sum)" != "$first_arena" ] || fail "$what: the arena did not change"
        in_battle || fail "$what: the round ended within seconds"
        if [ -n "${VORN_SHOTS:-}" ] && [ "$p" = "$c" ]; then
            mkdir -p "$VORN_SHOTS"
            cp "$E2E_TMP/shot.png" "$VORN_SHOTS/$(echo "${campaigns[$c]}" | tr 'A-Z ' 'a-z-').png"
        fi
        no_message
        echo "ok: $what"
        press Escape
    done
done
wait_colour 5 5 $MAIN_BG
press Escape
expect_exit 0
