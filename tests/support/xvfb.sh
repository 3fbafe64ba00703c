# Shared by the tests that run the real program in an X server of their
# own. The sourcing script sets `work` (its scratch directory) and ends
# with stop_display in its exit trap.
# shellcheck shell=bash

xvfb_pid=
game_pid=
window=

# need_tools HINT TOOL...: skips the test (exit 77) when a tool is missing.
need_tools() {
    local hint=$1 tool
    shift
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is missing ($hint)"
            exit 77
        fi
    done
}

stop_display() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
}

# start_xvfb DIR SIZE: an Xvfb on a free number, which it tells on fd 3;
# writes its DISPLAY to DIR/display and its pid to xvfb_pid. Says why and
# returns 1 if the server does not come up.
start_xvfb() {
    exec 3>"$1/displayfd"
    # -noreset: the server would otherwise restart each time its last client
    # leaves, and a program started just then could not connect.
    Xvfb -displayfd 3 -screen 0 "$2" -nolisten tcp -noreset >"$1/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local _
    for _ in $(seq 100); do
        [ -s "$1/displayfd" ] && break
        sleep 0.1
    done
    exec 3>&-
    if [ ! -s "$1/displayfd" ]; then
        echo "FAILED: Xvfb did not start"
        cat "$1/xvfb.log"
        return 1
    fi
    echo ":$(head -1 "$1/displayfd")" >"$1/display"
}

# start_display SIZE: start_xvfb in $work, exporting DISPLAY. Exits 1 if the
# server does not come up.
start_display() {
    start_xvfb "$work" "$1" || exit 1
    DISPLAY=$(cat "$work/display")
    export DISPLAY
    unset WAYLAND_DISPLAY
}

# wait_for_window: the game's window, started as game_pid with its stderr
# in $work/stderr, into `window`. Returns 1, showing that stderr, if the
# program ends or 30 s pass without one (generous: a loaded machine running
# the sanitizer build starts slowly).
wait_for_window() {
    window=
    for _ in $(seq 300); do
        window=$(xdotool search --name '^Sorvi Kadra99 ver0\.8$' 2>/dev/null | head -1)
        [ -n "$window" ] && break
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "the program showed no window; its stderr:"
        cat "$work/stderr"
        return 1
    fi
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    sleep 0.3
}

# wait_for_exit SECONDS: waits for game_pid to end by itself and sets
# `exit_code` to its status, or leaves it empty if it is still running.
wait_for_exit() {
    exit_code=
    for _ in $(seq $(($1 * 10))); do
        if ! kill -0 "$game_pid" 2>/dev/null; then
            wait "$game_pid"
            exit_code=$?
            game_pid=
            return 0
        fi
        sleep 0.1
    done
}

# geometry_of WHAT: the window's place (X,Y) or size (WxH) as xdotool reads it.
geometry_of() {
    xdotool getwindowgeometry "$window" 2>/dev/null |
        awk -v what="$1" '(what == "place" && /Position:/) || (what == "size" && /Geometry:/) { print $2 }'
}

# A window manager moves and sizes a window a while after it is asked, and
# later still on a loaded machine: a window's place or size is read once
# three readings 0.1 s apart agree, waiting 10 s at most.
#
#   settled WHAT            prints it (the last reading after 10 s)
#   settles_at WHAT VALUE   succeeds once it is VALUE; after 10 s says what
#                           it is and fails
settled() {
    local last= now same=0 deadline=$((SECONDS + 10))
    while [ "$SECONDS" -lt "$deadline" ]; do
        now=$(geometry_of "$1")
        if [ "$now" = "$last" ]; then
            same=$((same + 1))
        else
            last=$now
            same=1
        fi
        [ "$same" -ge 3 ] && break
        sleep 0.1
    done
    echo "$last"
}
settles_at() {
    local now same=0 deadline=$((SECONDS + 10))
    while [ "$SECONDS" -lt "$deadline" ]; do
        now=$(geometry_of "$1")
        if [ "$now" = "$2" ]; then
            same=$((same + 1))
            [ "$same" -ge 3 ] && return 0
        else
            same=0
        fi
        sleep 0.1
    done
    echo "  its $1 is ${now:-unknown}, not $2"
    return 1
}
