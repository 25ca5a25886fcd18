#!/usr/bin/env bash
# A session of the real game under valgrind memcheck, in a private X server with sound going to
# a file: the graphics and sound screen (global volume changed and saved), the controls screen
# (a key remapped and saved), then two shipped campaigns, each started from the start-game
# screen with its own character and fought with scripted input for a while, and quit. Fails on
# any memory error or lost block of ours; valgrind's log is kept as memcheck.log beside the game.
# Usage (from the build's test folder, build/run): bash tools/memcheck/session.sh ../vorn [SECONDS]
# SECONDS is how long each campaign is fought (default 40); with MEMCHECK_SHOTS set to a folder,
# the last screen of each fight is kept there.
. "$(dirname "$0")/../../tests/e2e/menu_lib.sh"
game=$(readlink -f "$1")
fight_seconds=${2:-40}
repo=$(pwd)
log="$(dirname "$game")/memcheck.log"
shipped_setup "$repo"
keep_shot_on_failure /tmp/vorn-memcheck-failed.png

# The wrapper execs valgrind, so the game keeps the pid the helpers look its window up by.
cat >"$E2E_TMP/vorn-memcheck" <<WRAP
#!/bin/sh
exec valgrind --leak-check=full --num-callers=40 --errors-for-leak-kinds=definite --error-exitcode=3 \
    --suppressions="$repo/tools/memcheck/valgrind.supp" --log-file="$log" "$game"
WRAP
chmod +x "$E2E_TMP/vorn-memcheck"

# Under valgrind the dialogs poll the mouse less often: hold each press longer.
click() {
    xdotool mousemove $((WIN_X + $1)) $((WIN_Y + $2))
    sleep 0.3
    xdotool mousedown 1
    sleep 0.5
    xdotool mouseup 1
    sleep 0.3
}
# Under valgrind a screen may take a few seconds to come up.
slow_colour() { wait_for 60 is_colour "$@" || fail "pixel $1,$2 is $(pixel "$1" "$2"), not $3"; }

start_game "$E2E_TMP/vorn-memcheck"
echo "main menu up at ${SECONDS}s"

# Graphics and sound: global volume to 5, saved by "Main Menu".
click $((250 + MAIN_DX)) $((100 + MAIN_DY)) # "Vid/Aud"
slow_colour 5 5 $GFX_BG
click $((218 + GFX_DX)) $((50 + GFX_DY))
press Home
for _ in 1 2 3 4 5; do press Right; done
sleep 1
click $((260 + GFX_DX)) $((200 + GFX_DY)) # "Main Menu"
slow_colour 5 5 $MAIN_BG
expect_setting Sound Global 5
echo "volume changed and saved"

# Controls: defaults restored, Up remapped to the up-arrow key, saved by "Main Menu".
click $((50 + MAIN_DX)) $((100 + MAIN_DY)) # "Controls"
slow_colour 5 5 $CONTROL_BG
click $((200 + CONTROL_DX)) $((270 + CONTROL_DY)) # "Default Controls"
click $((50 + CONTROL_DX)) $((30 + CONTROL_DY))   # "Up"
wait_for 60 is_colour 330 234 255,255,255 || fail "no 'Press any key' prompt"
press Up
slow_colour 330 234 $CONTROL_BG
click $((200 + CONTROL_DX)) $((295 + CONTROL_DY)) # "Main Menu"
slow_colour 5 5 $MAIN_BG
expect_setting Controls Up 84
echo "controls remapped and saved"

# Two campaigns, the first and second of the start-game lists, with different characters.
ROW=8
list_y=$((30 + START_DY))
for c in 0 1; do
    for try in 1 2 3 4 5; do
        click $((150 + MAIN_DX)) $((40 + MAIN_DY)) # "Start"
        wait_for 10 is_colour 5 5 $START_BG && break
    done
    slow_colour 5 5 $START_BG
    click $((50 + START_DX)) $((list_y + 2 + c * ROW + ROW / 2))
    click $((410 + START_DX)) $((list_y + 2 + c * ROW + ROW / 2))
    click $((300 + START_DX)) $((110 + START_DY)) # "Start"
    wait_for 120 in_battle || fail "campaign $c: the round did not start"
    echo "campaign $c: fighting from ${SECONDS}s"
    xdotool mousemove $((WIN_X + 320)) $((WIN_Y + 240))
    end=$((SECONDS + fight_seconds))
    step=0
    while [ $SECONDS -lt $end ]; do
        step=$((step + 1))
        hold "$(echo d w a s | cut -d' ' -f$((step % 4 + 1)))" 0.4
        xdotool mousemove_relative -- $((step % 2 ? 60 : -50)) $((step % 3 ? -30 : 40))
        click $((200 + step * 37 % 240)) $((120 + step * 53 % 240))
        xdotool mousedown 3; sleep 0.1; xdotool mouseup 3
        press space
    done
    if [ -n "${MEMCHECK_SHOTS:-}" ]; then
        shot && mkdir -p "$MEMCHECK_SHOTS" && cp "$E2E_TMP/shot.png" "$MEMCHECK_SHOTS/campaign-$c.png"
    fi
    # Leave the battle (it may have ended by itself and be back in the menus already).
    for try in 1 2 3 4 5 6; do
        is_colour 5 5 $MAIN_BG && break
        press Escape
        sleep 3
    done
    slow_colour 5 5 $MAIN_BG
    echo "campaign $c: back in the menus at ${SECONDS}s"
done

press Escape
wait_exit "$GAME_PID" 600 || fail "the game did not end"
errors=$(grep -o 'ERROR SUMMARY: [0-9]* errors' "$log" | grep -o '[0-9]*' | head -1)
sed -n 's/^==[0-9]*== *//; /^LEAK SUMMARY/,/^suppressed/p; /^ERROR SUMMARY/p' "$log"
# Blocks "possibly lost" (only an inner pointer left at exit) whose allocation never went
# through ALSA, X or Allegro: those would be ours.
ours=$(sed 's/^==[0-9]*== *//' "$log" | awk '
    / are (possibly|definitely) lost in loss record / { if (rec && !lib) n++; rec = 1; lib = 0; next }
    /libasound|libX|liballeg|install_sound/ { lib = 1 }
    END { if (rec && !lib) n++; print n + 0 }')
echo "records of lost blocks outside ALSA, X and Allegro: $ours"
[ "$E2E_STATUS" = 0 ] && [ "$errors" = 0 ] && [ "$ours" = 0 ] ||
    fail "valgrind: status $E2E_STATUS, $errors errors, $ours records of ours (see $log)"
echo "memcheck session: 0 errors in ${SECONDS}s"
