# Shared steps of the battle end-to-end tests: the test campaign "Trial" written by
# tools/makeTestCampaign, the game started on it, and screenshots read pixel by pixel.
# Screen layout at 640 x 480: the 400 x 300 arena is zoomed 1.12 times to 448 x 336 at (96, 72).
#   campaign picture 2040FF, closing picture FFD700, round titles FF8000 and 00FFFF (centred),
#   arenas 306030 and 303060, win picture 00C000, lose picture C00000, tester E0E0E0 (centre),
#   drifter A000A0, HUD text and bar frame A0A0A0, health bar 600000, menus C0C0C0.
. "$(dirname "$0")/lib.sh"

game=$(readlink -f "$1")
maker="$(dirname "$game")/tools/makeTestCampaign"

start_x
# A test of the window among others sets E2E_WM before it includes this file.
[ -z "${E2E_WM:-}" ] || start_wm
setup_sound_home
work="$E2E_TMP/game"
"$maker" "$work"
cd "$work"

# launch_game [FILE]: starts the game again (pid in game_pid), its stderr into FILE if given.
launch_game() {
    if [ $# -gt 0 ]; then "$game" 2>"$1" & else "$game" & fi
    game_pid=$!
    E2E_PIDS+=($game_pid)
}
launch_game

shot_file="$E2E_TMP/shot.png"
shot() { import -window root "$shot_file" 2>/dev/null; }
# pixel X Y: the colour of the last screenshot at (X, Y) as RRGGBB.
pixel() { convert "$shot_file" -format "%[hex:p{$1,$2}]" info: 2>/dev/null | cut -c1-6; }
# shows X Y COLOUR: a fresh screenshot has that colour there.
shows() { shot && [ "$(pixel "$1" "$2")" = "$3" ]; }
# expect_screen SECONDS X Y COLOUR WHAT: waits until the screen shows it, or fails the test.
expect_screen() {
    if ! wait_for "$1" shows "$2" "$3" "$4"; then
        echo "FAIL: $5 (at $2,$3 expected $4, saw $(pixel "$2" "$3"))" >&2
        cp "$shot_file" "/tmp/vorn-e2e-failed-$(basename "$0" .sh).png" 2>/dev/null || true
        exit 1
    fi
    echo "ok: $5"
}
# has_colour X Y W H COLOUR: the region of the last screenshot contains the colour.
has_colour() {
    convert "$shot_file" -crop "${3}x${4}+${1}+${2}" +repage -unique-colors txt: 2>/dev/null | grep -qi "#$5"
}
# region X Y W H: a checksum of that region of the last screenshot.
region() { convert "$shot_file" -crop "${3}x${4}+${1}+${2}" +repage rgb:- 2>/dev/null | md5sum | cut -c1-32; }
# arena_now: a checksum of a fresh screenshot's arena.
arena_now() { shot && region 96 72 448 336; }

# A key held long enough for the game's once-a-frame poll to see it held and then let go.
tap() {
    xdotool keydown "$1"
    sleep 0.25
    xdotool keyup "$1"
}

# From the main menu, "Start" and then the start-game screen's "Start" (both have the focus).
start_campaign() {
    expect_screen 20 10 10 C0C0C0 "main menu"
    xdotool key Return
    wait_for 10 shows 10 10 A0A0A0 || true
    xdotool key Return
}

# The main menu's "Quit" button (centre 320, 215 at 640 x 480); the game must end with status 0.
# Allegro moves the pointer once soon after the menu shows, which can take a first click away
# from the button: the click is tried again while the game runs.
quit_from_menu() {
    local try
    for try in 1 2 3; do
        xdotool mousemove 320 215
        sleep 0.3
        xdotool mousedown 1
        sleep 0.2
        xdotool mouseup 1
        wait_for 5 bash -c "! kill -0 $game_pid" && break
    done
    wait_exit "$game_pid" 20
    [ "$E2E_STATUS" = 0 ] || { echo "FAIL: vorn ended with status $E2E_STATUS" >&2; exit 1; }
    echo "ok: quit from the main menu"
}
