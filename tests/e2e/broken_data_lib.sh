# The real game started on broken data sets of tests/broken-data (laid over the trial campaign):
# it shows the case's messages, goes back to the menus (or ends by itself with status 0) and
# quits from them; never a crash, never a hang. Usage from a test: run_broken_cases PATTERN.
. "$(dirname "$0")/lib.sh"

game=$(readlink -f "$1")
tools="$(dirname "$game")/tools"
cases_dir="$(pwd)/tests/broken-data"
start_x
setup_sound_home

shot_file="$E2E_TMP/shot.png"
# grey_at_10_10 LOW HIGH: a fresh screenshot is a grey of LOW to HIGH at (10, 10); a range,
# since a fallback graphics mode of fewer colours shows the nearest grey it has.
grey_at_10_10() {
    import -window root "$shot_file" 2>/dev/null || return 1
    local hex
    hex=$(convert "$shot_file" -format "%[hex:p{10,10}]" info: 2>/dev/null | cut -c1-6)
    [ ${#hex} = 6 ] || return 1
    local c
    for c in "${hex:0:2}" "${hex:2:2}" "${hex:4:2}"; do
        [ $((16#$c)) -ge "$1" ] && [ $((16#$c)) -le "$2" ] || return 1
    done
}
# The main menu's grey (192), and the start-game screen's (160).
in_menu() { grey_at_10_10 176 208; }
on_start_screen() { grey_at_10_10 144 175; }

# Closes every message box of the game, keeping its text in $seen.
close_boxes() {
    local box
    for box in $(pgrep -P "$pid" xmessage || true); do
        seen+="$(tr '\0' ' ' <"/proc/$box/cmdline" 2>/dev/null)"$'\n'
        kill "$box" 2>/dev/null || true
    done
}

# until_menu SECONDS: closes boxes until the main menu shows; 0 when it does, 2 when the game
# ended (its status in E2E_STATUS), 1 on time-out (SECONDS scaled).
until_menu() {
    local end=$((SECONDS + $(scaled "$1")))
    while [ $SECONDS -lt $end ]; do
        close_boxes
        if ! kill -0 "$pid" 2>/dev/null; then
            [ -n "$reaped" ] || wait_exit "$pid" 5
            reaped=1
            return 2
        fi
        in_menu && ! pgrep -P "$pid" xmessage >/dev/null && return 0
        sleep 0.2
    done
    return 1
}

# Keys go to the game's window: a closed message box may have left no window with the focus.
focus_game() {
    local win
    win=$(xdotool search --pid "$pid" --name vorn 2>/dev/null | tail -1)
    [ -n "$win" ] && xdotool windowfocus "$win" 2>/dev/null || true
}
press_escape() {
    focus_game
    xdotool keydown Escape
    sleep 0.3
    xdotool keyup Escape
}

fail() {
    echo "FAIL [$name]: $*" >&2
    exit 1
}

ended_cleanly() {
    [ "$E2E_STATUS" = 0 ] || fail "the game ended with status $E2E_STATUS"
    echo "ok [$name]: ended by itself with status 0"
}

# The expected messages of the case not shown so far (first line of each, as xmessage got it).
unseen() {
    local line text
    while IFS= read -r line; do
        text=${line#message }
        text=${text%%\\n*}
        text=${text% }
        grep -qF -- "$text" <<<"$seen" || echo "$text"
    done < <(grep '^message ' "$cases_dir/$name/expect" || true)
}
all_seen() { [ -z "$(unseen)" ]; }

run_case() {
    name=$1
    local work="$E2E_TMP/$name" state
    "$tools/makeTestCampaign" "$work" >/dev/null
    "$tools/makeBrokenCase" "$cases_dir/$name" "$work" || fail "the case could not be made"
    cd "$work"
    seen=""
    reaped=""
    "$game" 2>/dev/null &
    pid=$!
    E2E_PIDS+=($pid)
    state=0
    until_menu 30 || state=$?
    case $state in
    1) fail "no main menu within $(scaled 30) s" ;;
    2) ended_cleanly; return ;;
    esac
    # "Start" on the main menu, then on the start-game screen (both hold the focus).
    focus_game
    xdotool key Return
    wait_for 5 on_start_screen || true
    focus_game
    xdotool key Return
    # Play on until every expected message was shown (a later round's may take a while), or
    # 25 s (scaled); at least 6 s, so a crash in play would show.
    local end=$((SECONDS + $(scaled 25))) least=$((SECONDS + 6))
    while [ $SECONDS -lt $end ] && kill -0 "$pid" 2>/dev/null; do
        close_boxes
        [ $SECONDS -ge $least ] && all_seen && break
        sleep 0.2
    done
    # Leave whatever still plays, and close an alert and the start-game screen when nothing
    # started: Esc until the main menu shows (a press that lands on a round's title picture only
    # ends the picture, and a thousand rounds have a thousand of them).
    local leave=$((SECONDS + $(scaled 40)))
    while [ $SECONDS -lt $leave ]; do
        in_menu || ! kill -0 "$pid" 2>/dev/null && break
        press_escape
        until_menu 4 >/dev/null && break
    done
    state=0
    until_menu 40 || state=$?
    case $state in
    1) fail "the game did not return to the menus within $(scaled 40) s" ;;
    2) ended_cleanly ;;
    0)
        # Esc on the main menu quits, whatever the screen mode.
        sleep 0.5
        press_escape
        local end2=$((SECONDS + $(scaled 20)))
        while [ $SECONDS -lt $end2 ] && kill -0 "$pid" 2>/dev/null; do
            close_boxes
            sleep 0.2
        done
        kill -0 "$pid" 2>/dev/null && fail "the game did not quit from the main menu"
        [ -n "$reaped" ] || wait_exit "$pid" 5
        [ "$E2E_STATUS" = 0 ] || fail "the game quit with status $E2E_STATUS"
        echo "ok [$name]: back in the menus, quit with status 0"
        ;;
    esac
    missing=$(unseen | head -1)
    [ -z "$missing" ] || fail "message not shown: $missing"
    cd - >/dev/null
}

run_broken_cases() {
    local dir
    for dir in "$cases_dir"/$1; do
        [ -d "$dir" ] && run_case "$(basename "$dir")"
    done
}
