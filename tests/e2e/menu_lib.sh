# Helpers of the menu tests: run the game in a private folder, look at its window, click on it.
# Positions are window pixels: each dialog is centred on the 640x480 screen, so a table entry at
# (x, y) appears at (x + dx, y + dy) with the dialog's offsets below.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# A test that fails half-way must not leave the game running.
GAME_PID=
menu_cleanup() {
    local status=$?
    if [ -n "$GAME_PID" ]; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
    e2e_cleanup
    exit $status
}
trap menu_cleanup EXIT

MAIN_DX=170 MAIN_DY=125     # main menu: 300x230
START_DX=20 START_DY=30     # start-game screen: 600x420
CONTROL_DX=120 CONTROL_DY=87 # controls screen: 400x305
GFX_DX=82 GFX_DY=130        # graphics and sound screen: 475x220

MAIN_BG=192,192,192 START_BG=160,160,160 CONTROL_BG=183,249,179 GFX_BG=255,183,171

# menu_setup: X server, sound HOME and an empty game folder $WORK with data/; cd into it.
menu_setup() {
    start_x
    setup_sound_home
    WORK="$E2E_TMP/game"
    mkdir -p "$WORK/data"
    cd "$WORK"
}

# launch GAME: starts the game in the background (pid in GAME_PID); true once its window shows.
launch() {
    # Keep the pointer off the new window, so no button of the last run's click lands on it.
    xdotool mousemove 1000 700
    "$1" >"$E2E_TMP/game.log" 2>&1 &
    GAME_PID=$!
    E2E_PIDS+=($GAME_PID)
    wait_for 15 xdotool search --pid "$GAME_PID" --name vorn
}

# start_game GAME [X Y]: starts the game (or the editor) and waits for its first screen, the
# menus' grey at X,Y (5,5 when not given). On a heavily loaded machine the program now and then
# ends with status 1, or hangs, before any window exists (Allegro could not start); that start
# alone is repeated, up to three tries, and reported.
start_game() {
    local attempt
    for attempt in 1 2 3; do
        launch "$1" && break
        local status=running
        kill -0 "$GAME_PID" 2>/dev/null || { status=0; wait "$GAME_PID" || status=$?; }
        echo "no game window on $DISPLAY (game: $status, attempt $attempt)" >&2
        grep -v ALSA "$E2E_TMP/game.log" >&2 || true
        [ "$status" = running ] && kill -9 "$GAME_PID" 2>/dev/null && status=1
        [ "$status" = 1 ] && [ "$attempt" -lt 3 ] || return 1
    done
    settle_on_window "${2:-5}" "${3:-5}"
}

# settle_on_window X Y: gives the window found the keyboard (no window manager runs), waits for
# the menus' grey at X,Y, and puts the pointer on it: Allegro moves the pointer once, soon after
# the window first shows, so it is moved until it stays where it was put.
settle_on_window() {
    find_window
    xdotool windowfocus "$GAME_WIN" 2>/dev/null || true
    wait_colour "$1" "$2" $MAIN_BG
    local n X Y SCREEN WINDOW
    for n in $(seq 1 $((20 * $(slowness) / 100))); do
        xdotool mousemove $((WIN_X + 320)) $((WIN_Y + 400))
        sleep 0.15
        eval "$(xdotool getmouselocation --shell)"
        [ "$X,$Y" = "$((WIN_X + 320)),$((WIN_Y + 400))" ] && [ "$n" -ge 3 ] && break
    done
}

# find_window: the game's window (a mode switch makes a new one) and its position.
find_window() {
    GAME_WIN=$(xdotool search --pid "$GAME_PID" --name vorn | tail -1)
    [ -n "$GAME_WIN" ] || return 1
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$GAME_WIN")"
    WIN_X=$X WIN_Y=$Y
}

# shot: takes a screenshot of the game window into $E2E_TMP/shot.png.
shot() {
    import -window "$GAME_WIN" "$E2E_TMP/shot.png" 2>/dev/null ||
        { find_window && import -window "$GAME_WIN" "$E2E_TMP/shot.png" 2>/dev/null; }
}

# pixel X Y: "r,g,b" of the last screenshot.
pixel() {
    convert "$E2E_TMP/shot.png" -crop "1x1+$1+$2" -depth 8 -format '%[fx:int(255*r+.5)],%[fx:int(255*g+.5)],%[fx:int(255*b+.5)]' info:
}

# is_colour X Y R,G,B: takes a screenshot and compares one pixel.
is_colour() { shot && [ "$(pixel "$1" "$2")" = "$3" ]; }

# wait_colour X Y R,G,B: waits (up to 10 s, scaled) until the pixel has that colour.
wait_colour() {
    wait_for 10 is_colour "$@" || { echo "pixel $1,$2 is $(pixel "$1" "$2"), not $3" >&2; return 1; }
}

# dark W H X Y: number of near-black pixels in a region of the last screenshot.
dark() {
    convert "$E2E_TMP/shot.png" -crop "$1x$2+$3+$4" +repage -colorspace gray -threshold 25% -negate \
        -format '%[fx:int(mean*w*h+.5)]' info:
}

# count_colour W H X Y R,G,B: number of pixels of exactly that colour in a region.
count_colour() {
    convert "$E2E_TMP/shot.png" -crop "$1x$2+$3+$4" +repage -fill black +opaque "rgb($5)" -fill white \
        -opaque "rgb($5)" -colorspace gray -format '%[fx:int(mean*w*h+.5)]' info:
}

# click X Y: a press held long enough for the dialog's polling to see it.
click() {
    xdotool mousemove $((WIN_X + $1)) $((WIN_Y + $2))
    sleep 0.05
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
    sleep 0.05
}

# press KEY: one key press and release.
press() {
    xdotool keydown "$1"
    sleep 0.08
    xdotool keyup "$1"
    sleep 0.05
}

# expect_exit STATUS: waits for the game to end with that status.
expect_exit() {
    wait_exit "$GAME_PID" 10
    if [ "$E2E_STATUS" != "$1" ]; then
        echo "vorn ended with status $E2E_STATUS, expected $1" >&2
        cat "$E2E_TMP/game.log" >&2
        exit 1
    fi
}

# setting SECTION KEY: the value saved in data/gameSettings (empty when absent).
setting() {
    awk -v s="[$1]" -v k="$2" '/^\[/ { in_s = ($0 == s) } in_s && $1 == k { print $3 }' "$WORK/data/gameSettings"
}

# expect_setting SECTION KEY VALUE
expect_setting() {
    local got
    got=$(setting "$1" "$2")
    if [ "$got" != "$3" ]; then
        echo "[$1] $2 is '$got', expected '$3'" >&2
        cat "$WORK/data/gameSettings" >&2
        exit 1
    fi
}

fail() { echo "$*" >&2; exit 1; }

# keep_shot_on_failure FILE: from now on a failure keeps the last screenshot as FILE for a look.
keep_shot_on_failure() {
    FAILED_SHOT=$1
    fail() {
        cp "$E2E_TMP/shot.png" "$FAILED_SHOT" 2>/dev/null || true
        echo "FAIL: $*" >&2
        exit 1
    }
}

# shipped_setup REPO: menu_setup with the repository's built data linked in read-only; the game
# writes its settings and its replays into its own folder.
shipped_setup() {
    [ -f "$1/data/generalData.dat" ] || fail "data/ is not built: build the target vorndata first"
    menu_setup
    local entry
    for entry in "$1"/data/*; do
        case "$(basename "$entry")" in gameSettings | replays) ;; *) ln -s "$entry" data/ ;; esac
    done
}

# 640 x 480 battle screen: the juice bar's frame, from (128, 14) to (512, 38), shows.
in_battle() { shot && [ "$(pixel 128 20)" = 160,160,160 ] && [ "$(pixel 512 30)" = 160,160,160 ]; }

# arena_sum: a checksum of the last screenshot's arena, between the juice bar and the HUD text.
arena_sum() { convert "$E2E_TMP/shot.png" -crop "640x380+0+45" +repage rgb:- | md5sum | cut -c1-32; }
arena_now() { shot && arena_sum; }

# hold KEY SECONDS: a key held down that long.
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }

# pad_game GAME: sets PAD_GAME to a command that starts the game with a gamepad the test drives:
# tests/libfakePad.so beside the game (the target fakePad) serves it from a fifo kept on fd 7.
pad_game() {
    local shim
    shim="$(dirname "$1")/tests/libfakePad.so"
    [ -f "$shim" ] || fail "no $shim: build the target fakePad"
    mkfifo "$E2E_TMP/pad"
    exec 7<>"$E2E_TMP/pad"
    PAD_GAME="$E2E_TMP/padgame"
    printf '#!/bin/sh\nLD_PRELOAD=%s VORN_FAKE_PAD=%s exec %s "$@"\n' "$shim" "$E2E_TMP/pad" "$1" >"$PAD_GAME"
    chmod +x "$PAD_GAME"
}

# pad_event TYPE NUMBER VALUE: one struct js_event (type 1 a button, 2 an axis of -32767 to 32767).
pad_event() {
    local v=$(($3 & 0xffff))
    printf "\\x00\\x00\\x00\\x00\\x$(printf %02x $((v & 255)))\\x$(printf %02x $((v >> 8)))\\x0$1\\x$(printf %02x "$2")" >&7
}

# pad_press BUTTON: a pad button held long enough for a poll to see it, then let go.
pad_press() { pad_event 1 "$1" 1; sleep 0.25; pad_event 1 "$1" 0; sleep 0.1; }
