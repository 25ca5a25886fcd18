#!/usr/bin/env bash
# The start-game screen lists the campaigns and characters of the list files, opens on the saved
# choice with its descriptions, follows a click, and saves the choice with "Back to main" and
# "Start" (the battle then returns to the menus).
. "$(dirname "$0")/menu_lib.sh"
game=$(readlink -f "$1")
menu_setup

# Descriptions of very different shapes: one short line against three full ones.
cat >data/listOfCampaigns.txt <<'LIST'
Short Walk
I
[End]
Long March
MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM
MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM
MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM
[End]
LIST
cat >data/listOfCharacters.txt <<'LIST'
Knight
I
[End]
Rogue
I
[End]
Monk
MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM
MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM
[End]
LIST
printf '[StartGame]\npc = 2\ncamp = 1\n' >data/gameSettings

ROW=8 # text height of the default font
camp_x=$((10 + START_DX)) char_x=$((370 + START_DX)) list_y=$((30 + START_DY))
# row_dark LIST_X ROW: dark pixels in one row of a list (a selected row is a dark band).
row_dark() { dark 200 $ROW $(($1 + 8)) $((list_y + 2 + $2 * ROW)); }
# desc_line BOX_X LINE: dark pixels in one text line of a description box.
desc_line() { dark 270 $ROW $(($1 + 4)) $((300 + START_DY + 4 + $2 * ROW)); }

start_game "$game"
wait_colour 5 5 $MAIN_BG
click $((150 + MAIN_DX)) $((40 + MAIN_DY)) # "Start"
wait_colour 5 5 $START_BG
shot
# Two campaigns and three characters, each row holding its name; nothing below them.
for r in 0 1; do [ "$(row_dark $camp_x $r)" -gt 20 ] || fail "campaign row $r empty"; done
[ "$(row_dark $camp_x 2)" = 0 ] || fail "a third campaign row"
for r in 0 1 2; do [ "$(row_dark $char_x $r)" -gt 20 ] || fail "character row $r empty"; done
[ "$(row_dark $char_x 3)" = 0 ] || fail "a fourth character row"
# The saved choice is selected: its row is the dark band.
[ "$(row_dark $camp_x 1)" -gt 1000 ] || fail "campaign 1 not selected"
[ "$(row_dark $camp_x 0)" -lt 500 ] || fail "campaign 0 selected"
[ "$(row_dark $char_x 2)" -gt 1000 ] || fail "character 2 not selected"
# ...and its description is shown: three full lines and two full lines.
for l in 0 1 2; do [ "$(desc_line $camp_x $l)" -gt 300 ] || fail "campaign description line $l"; done
for l in 0 1; do [ "$(desc_line $((310 + START_DX)) $l)" -gt 300 ] || fail "character description line $l"; done

# Choosing the first campaign shows its one-letter description at once.
click $((camp_x + 40)) $((list_y + 2 + ROW / 2))
wait_for 5 eval 'shot; [ "$(desc_line $camp_x 1)" = 0 ]' || fail "description did not follow the click"
shot
[ "$(row_dark $camp_x 0)" -gt 1000 ] || fail "campaign 0 not selected after the click"
[ "$(desc_line $camp_x 0)" -lt 40 ] || fail "campaign 0 description too long"

click $((300 + START_DX)) $((270 + START_DY)) # "Back to main"
wait_colour 5 5 $MAIN_BG
expect_setting StartGame camp 0
expect_setting StartGame pc 2

# Open again: the saved choice comes back; "Start" runs the battle, which returns to the menus.
click $((150 + MAIN_DX)) $((40 + MAIN_DY))
wait_colour 5 5 $START_BG
shot
[ "$(row_dark $camp_x 0)" -gt 1000 ] || fail "campaign 0 not selected on reopening"
click $((char_x + 40)) $((list_y + 2 + ROW + ROW / 2)) # "Rogue"
click $((300 + START_DX)) $((110 + START_DY))          # "Start"
# This folder has no game data: the battle says so twice (the loader, then the battle) and
# returns to the menus. Each message is an xmessage box that holds the game until it closes.
for expected in "General datafile did not load" "Load General failed"; do
    wait_for 10 pgrep -P "$GAME_PID" xmessage || fail "no message about the missing data"
    box=$(pgrep -P "$GAME_PID" xmessage | head -1)
    grep -q "$expected" "/proc/$box/cmdline" || fail "unexpected message: $(tr '\0' ' ' <"/proc/$box/cmdline")"
    kill "$box"
    wait_for 5 bash -c "! kill -0 $box" || true
done
wait_colour 5 5 $MAIN_BG
expect_setting StartGame pc 1
expect_setting StartGame camp 0

click $((150 + MAIN_DX)) $((90 + MAIN_DY)) # "Quit"
expect_exit 0
echo "start-game screen lists, selects, describes and saves"
