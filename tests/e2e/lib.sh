# Shared helpers of the end-to-end tests: a private X server, a HOME whose ALSA output goes to a
# file, and waits that poll instead of sleeping.
set -euo pipefail

E2E_TMP=$(mktemp -d /tmp/vorn-e2e-XXXXXX)
E2E_PIDS=()

e2e_cleanup() {
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

# Starts Xvfb on a free display and exports DISPLAY. The server picks the number itself and
# reports it, so tests running at the same time never share a display.
start_x() {
    local fifo="$E2E_TMP/displayfd" n
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    if ! read -r -t 20 n <"$fifo" || [ -z "$n" ]; then
        echo "no X server could be started" >&2
        cat "$E2E_TMP/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "X server :$n does not answer" >&2
    return 1
}

# start_wm: a small window manager on the display, for the tests of the window among others: it
# sends the close button's message, moves the focus and gives a new window the focus.
start_wm() {
    matchbox-window-manager -use_titlebar no >"$E2E_TMP/wm.log" 2>&1 &
    E2E_PIDS+=($!)
    # xprop succeeds on a missing property too: wait for the manager's window to be named.
    wait_for 10 bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        { echo "no window manager on $DISPLAY: $(cat "$E2E_TMP/wm.log")" >&2; return 1; }
}

# Points ALSA's default device at a raw file, so the game has a sound card that records.
setup_sound_home() {
    export HOME="$E2E_TMP/home"
    mkdir -p "$HOME"
    export E2E_SOUND="$E2E_TMP/sound.raw"
    cat >"$HOME/.asoundrc" <<ASOUND
pcm.!default {
  type file
  slave.pcm "null"
  file "$E2E_SOUND"
  format "raw"
}
ASOUND
}

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
    local limit=$1
    shift
    local end=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}

# wait_exit PID SECONDS: waits for a child process to end and sets E2E_STATUS to its exit
# status; fails on time-out. Call it directly, not in $(...): only the shell that started the
# process can collect its status.
wait_exit() {
    local pid=$1 limit=$2 end=$((SECONDS + $2))
    while kill -0 "$pid" 2>/dev/null; do
        if [ $SECONDS -ge $end ]; then
            echo "process $pid still running after ${limit}s" >&2
            return 1
        fi
        sleep 0.05
    done
    E2E_STATUS=0
    wait "$pid" || E2E_STATUS=$?
}
