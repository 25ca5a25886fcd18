# Shared helpers of the end-to-end tests: a private X server, a HOME whose ALSA output goes to a
# file, and waits that poll instead of sleeping, their limits scaled to how slow the machine is.
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
# reports it, so tests running at the same time never share a display. Keys never repeat (the
# longest delay the server takes, in ms): a starved xdotool lets go of a key late on a busy machine,
# and a repeat would type its letter twice.
start_x() {
    local fifo="$E2E_TMP/displayfd" n
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ardelay 65535 3>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    if ! read -r -t "$(scaled 20)" n <"$fifo" || [ -z "$n" ]; then
        echo "no X server could be started" >&2
        cat "$E2E_TMP/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$n"
    wait_for 5 xdpyinfo || { echo "X server :$n does not answer" >&2; return 1; }
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

# The probe: a fixed CPU-bound loop, timed once as the test starts ("real user sys" seconds), and
# its CPU time on an idle machine of today's speed.
E2E_PROBE=$(TIMEFORMAT='%3R %3U %3S' && { time (for ((i = 0; i < 50000; i++)); do :; done); } 2>&1)
E2E_PROBE_IDLE=0.09

# slowness: how many times slower than an idle machine this one runs now, in percent (at least
# 100): the probe's wall time over the CPU time it got and over its idle time, or the load of the
# last minute over the processors, whichever is most.
slowness() {
    local load
    read -r load _ </proc/loadavg
    awk -v probe="$E2E_PROBE" -v idle=$E2E_PROBE_IDLE -v load="$load" -v cpus="$(nproc)" 'BEGIN {
        split(probe, t, " "); s = 1; cpu = t[2] + t[3]
        if (cpu > 0 && t[1] / cpu > s) s = t[1] / cpu
        if (t[1] / idle > s) s = t[1] / idle
        if (load / cpus > s) s = load / cpus
        printf "%d\n", s * 100 + .5 }'
}

# scaled SECONDS: a time limit of SECONDS on an idle machine, as whole seconds on this one now.
scaled() { echo $((($1 * $(slowness) + 99) / 100)); }

# wait_for SECONDS COMMAND...: polls until the command succeeds; SECONDS are scaled.
wait_for() {
    local end=$((SECONDS + $(scaled "$1")))
    shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}

# arena_moved_from SUM: the arena of a fresh screenshot differs from SUM (arena_now, of the test's
# own library, takes the screenshot and prints the checksum).
arena_moved_from() { [ "$(arena_now)" != "$1" ]; }
# arena_settles: two screenshots 0.3 s apart show the same arena, as once a pause has been taken.
arena_settles() {
    local a
    a=$(arena_now) && sleep 0.3 && ! arena_moved_from "$a"
}

# escape_game PID WINDOW: one Esc to the game's window, true once the game has ended. Each Esc
# only while the game runs: one after it ended would go to another window (the editor's).
escape_game() {
    kill -0 "$1" 2>/dev/null || return 0
    xdotool windowfocus "$2" 2>/dev/null
    xdotool keydown Escape
    sleep 0.08
    xdotool keyup Escape
    sleep 0.5
    ! kill -0 "$1" 2>/dev/null
}

# wait_exit PID SECONDS: waits for a child process to end and sets E2E_STATUS to its exit
# status; fails on time-out (SECONDS scaled). Call it directly, not in $(...): only the shell
# that started the process can collect its status.
wait_exit() {
    local pid=$1 limit
    limit=$(scaled "$2")
    local end=$((SECONDS + limit))
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
