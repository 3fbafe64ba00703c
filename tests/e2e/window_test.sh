#!/usr/bin/env bash
# Runs the real program in its own X server and drives it as a player
# would: window title, class and sizes, starting a game, the menu pausing
# it, Escape and stop signals ending it with exit code 0, and no display
# ending it with exit code 1 and one line on stderr.
#
#   window_test.sh PROGRAM [SCREENSHOT_DIR]
#
# With SCREENSHOT_DIR it also saves a game in progress at double size and
# the open File pop-up with its check marks.
set -uo pipefail

program=$1
shots=${2:-}
source "$(dirname "$0")/../support/xvfb.sh"
need_tools "apt-get install xvfb xdotool imagemagick x11-utils" Xvfb xdotool xprop import compare

work=$(mktemp -d)
cleanup() {
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/../support/checks.sh"

start_display 1280x1024x24

start_game() {
    # A job started in the background of a script inherits SIGINT ignored;
    # give it the default a program started from a terminal has.
    env --default-signal=INT "$program" >"$work/stdout" 2>"$work/stderr" &
    game_pid=$!
    wait_for_window
}

# A press held long enough for a frame to see it.
tap() {
    xdotool keydown "$@"
    sleep 0.2
    xdotool keyup "$@"
    sleep 0.25
}

shot() { import -window "$window" "$work/$1.png"; }
# Pixels that differ between two screenshots.
differing() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }
ended_with() { # ended_with CODE: the program ended by itself within 5 s with CODE
    wait_for_exit 5
    [ "$exit_code" = "$1" ] || echo "  ${exit_code:+exit code }${exit_code:-still running}"
    [ "$exit_code" = "$1" ]
}

# --- The window ---
if ! start_game; then
    echo "FAILED: no window appeared"
    cat "$work/stderr"
    exit 1
fi
check "title" test "$(xprop -id "$window" WM_NAME)" = 'WM_NAME(STRING) = "Sorvi Kadra99 ver0.8"'
check "X11 class sorvi_k" grep -q '"sorvi_k"' <<<"$(xprop -id "$window" WM_CLASS)"
check "320 by 240 below a 20-row menu bar" settles_at size 320x260
corner=$(settled place)
tap F12
check "F12 doubles the client area" settles_at size 640x500
check "F12 keeps the top-left corner ($corner)" settles_at place "$corner"
tap F11
check "F11 restores the normal size" settles_at size 320x260
check "F11 keeps the top-left corner ($corner)" settles_at place "$corner"

# --- Starting a game ---
shot title
tap Return # title: Mode1
tap Return # setup: start
sleep 0.5
shot play1
sleep 0.5
shot play2
check "Enter, Enter leaves the title" test "$(differing title play1)" -gt 1000
check "frames run in play" test "$(differing play1 play2)" -gt 0

# --- The menu stops frames ---
tap F10
shot menu1
sleep 0.6
shot menu2
check "F10 opens the menu and frames stop" test "$(differing menu1 menu2)" -eq 0
tap Escape # closes the menu only
check "Escape in the menu keeps the program" kill -0 "$game_pid"
shot resumed1
sleep 0.4
shot resumed2
check "frames run again after the menu" test "$(differing resumed1 resumed2)" -gt 0

if [ -n "$shots" ]; then
    mkdir -p "$shots"
    tap F12
    # Fly about for a while so the field fills with stars and orbs.
    for key in Up Up Right Down Left Up; do
        xdotool keydown "$key"
        sleep 0.6
        xdotool keyup "$key"
    done
    import -window "$window" "$shots/game-double-size.png"
    tap F11
    # show fps and no wait from the menu, then Alt+F shows their marks.
    for downs in 1 2; do
        xdotool keydown alt
        xdotool key --delay 120 f
        xdotool keyup alt
        sleep 0.2
        for _ in $(seq "$downs"); do
            tap Down
        done
        tap Return
    done
    tap F9 # back to the title, which unpaced frames cannot end
    sleep 1.2
    xdotool keydown alt
    xdotool key --delay 120 f
    xdotool keyup alt
    sleep 0.4
    import -window "$window" "$shots/file-menu.png"
    tap Escape
fi

tap Escape
check "Escape ends the program with exit code 0" ended_with 0

# --- Stop requests close it like the close box ---
for signal in TERM INT; do
    if start_game; then
        kill -s "$signal" "$game_pid"
        check "SIG$signal ends it with exit code 0" ended_with 0
    else
        check "window for the SIG$signal run" false
    fi
done

# --- No display ---
env -u DISPLAY -u WAYLAND_DISPLAY "$program" >"$work/stdout" 2>"$work/stderr"
code=$?
check "no display: exit code 1" test "$code" -eq 1
check "no display: one line on stderr" test "$(wc -l <"$work/stderr")" -eq 1
check "no display: it says why" grep -q "no display" "$work/stderr"
check "no display: nothing on stdout" test ! -s "$work/stdout"

finish_checks
