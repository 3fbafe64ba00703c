#!/usr/bin/env bash
# The real program in its own X server, with a window manager, as a player
# on a desktop uses it: light taps of Enter that a frame never sees held,
# and fullscreen with Alt+Enter.
#
#   comfort_test.sh PROGRAM [SCREENSHOT_DIR]
set -uo pipefail

program=$1
shots=${2:-}
source "$(dirname "$0")/../support/xvfb.sh"
need_tools "apt-get install xvfb xdotool imagemagick x11-utils openbox" \
    Xvfb xdotool import convert openbox

work=$(mktemp -d)
wm_pid=
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/../support/checks.sh"

start_display 1280x1024x24
# Fullscreen needs a window manager to give the window the whole screen.
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
sleep 0.5

env --default-signal=INT "$program" >"$work/stdout" 2>"$work/stderr" &
game_pid=$!
if ! wait_for_window; then
    echo "FAILED: no window appeared"
    exit 1
fi

# Pixels of a colour in a screenshot of the window (or of the screen).
count_colour() { # count_colour FILE HEX
    convert "$1" -alpha off -fill black +opaque "#$2" -fill white -opaque "#$2" \
        -format "%[fx:round(mean*w*h)]" info:
}
# has WINDOW COLOUR COUNT X Y W H: the region of WINDOW (an id, or root for
# the screen) holds more than COUNT pixels of COLOUR; COUNT -1: none.
has() {
    local where=$1
    shift
    import -window "$where" -crop "$5x$6+$3+$4" "$work/region.png"
    local n
    n=$(count_colour "$work/region.png" "$1")
    if [ "$2" -lt 0 ]; then [ "$n" -eq 0 ]; else [ "$n" -gt "$2" ]; fi
}
alt_enter() { xdotool keydown alt key Return keyup alt; }

# --- Light taps ---
# xdotool key presses and releases a key about 12 ms apart: most taps fall
# between two 30 ms frames. The setup screen writes its help line along the
# bottom in the mint text colour; the title screen has none.
seen=0
for _ in $(seq 20); do
    xdotool key Return # title -> setup, if a frame sees it
    eventually has "$window" C8FAB4 0 0 243 320 17 && seen=$((seen + 1))
    xdotool key F9 # back to the title, a frame or two later
    sleep 0.3
done
check "20 of 20 light taps of Enter reach the setup screen (saw $seen)" test "$seen" -eq 20

# --- Fullscreen: 320x240 times 4 is 1280x960, 32 black rows above and below ---
corner=$(settled place)
alt_enter
check "Alt+Enter fills the screen" settles_at size 1280x1024
check "the picture, four times as large, fills the middle" \
    eventually has root FAC8B4 400 0 32 1280 960
check "black above it, with no menu bar" eventually has root 000000 40959 0 0 1280 32
check "black below it" has root 000000 40959 0 992 1280 32
check "Alt+Enter types nothing into the game (no setup screen)" has root C8FAB4 -1 0 0 1280 1024
xdotool key F10
check "F10 shows the menu bar" eventually has root D4D0C8 2000 0 0 1280 20
[ -n "$shots" ] && mkdir -p "$shots" && import -window root "$shots/fullscreen-menu.png"
xdotool key Escape
check "closing the menu hides the bar" eventually has root D4D0C8 -1 0 0 1280 20

for key in F11:320x260 F12:640x500; do
    [ "${key%%:*}" = F12 ] && alt_enter && settles_at size 1280x1024
    xdotool key "${key%%:*}"
    check "${key%%:*} leaves fullscreen for the ${key#*:} window" settles_at size "${key#*:}"
    check "its top-left corner where it was ($corner)" settles_at place "$corner"
done

xdotool key Escape
wait_for_exit 5
check "Escape ends it with exit code 0 (${exit_code:-still running})" test "$exit_code" = 0

finish_checks
