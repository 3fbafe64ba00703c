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
shot() { import -window "$window" "$work/$1.png"; }
# The setup screen writes its help line along the bottom in the mint text
# colour; the title screen has none. Looked for during a second, so that a
# slow machine's late frames are waited for.
on_setup() {
    for _ in $(seq 10); do
        import -window "$window" -crop 320x17+0+243 "$work/bottom.png"
        [ "$(count_colour "$work/bottom.png" C8FAB4)" -gt 0 ] && return 0
        sleep 0.1
    done
    return 1
}

# --- Light taps ---
# xdotool key presses and releases a key about 12 ms apart: most taps fall
# between two 30 ms frames.
seen=0
for _ in $(seq 20); do
    xdotool key Return # title -> setup, if the frame sees it
    on_setup && seen=$((seen + 1))
    xdotool key F9 # back to the title, a frame or two later
    sleep 0.3
done
check "20 of 20 light taps of Enter reach the setup screen (saw $seen)" test "$seen" -eq 20

# --- Fullscreen ---
size_of() { xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}'; }
place_of() { xdotool getwindowgeometry "$window" | awk '/Position/ {print $2}'; }
wait_for_size() { # wait_for_size WxH: the window manager takes a moment
    for _ in $(seq 30); do
        [ "$(size_of)" = "$1" ] && return 0
        sleep 0.1
    done
    echo "  size $(size_of)"
    return 1
}
corner=$(place_of)
tap_alt_enter() {
    xdotool keydown alt
    xdotool key Return
    xdotool keyup alt
}

tap_alt_enter
check "Alt+Enter fills the screen" wait_for_size 1280x1024
sleep 0.3
import -window root "$work/full.png"
# 320x240 times 4 is 1280x960, centred: 32 black rows above and below.
pixel() { convert "$work/$1.png" -format "%[hex:u.p{$2,$3}]" info:; }
check "black above the picture" test "$(pixel full 640 10)" = 000000
check "black below the picture" test "$(pixel full 640 1015)" = 000000
check "the picture fills the middle" test "$(count_colour "$work/full.png" FAC8B4)" -gt 400
check "no menu bar over the picture" test "$(pixel full 5 5)" = 000000
check "nothing but the game is typed by Alt+Enter" test "$(count_colour "$work/full.png" C8FAB4)" -eq 0

xdotool key F10
sleep 0.3
import -window root "$work/fullmenu.png"
check "F10 shows the menu bar" test "$(pixel fullmenu 300 5)" = D4D0C8
[ -n "$shots" ] && mkdir -p "$shots" && cp "$work/fullmenu.png" "$shots/fullscreen-menu.png"
xdotool key Escape
sleep 0.3
import -window root "$work/closed.png"
check "closing the menu hides the bar" test "$(pixel closed 300 5)" = 000000

xdotool key F11
check "F11 leaves fullscreen for the 320x240 window" wait_for_size 320x260
check "the window is back where it was" test "$(place_of)" = "$corner"

tap_alt_enter
wait_for_size 1280x1024 >/dev/null
xdotool key F12
check "F12 leaves fullscreen for the 640x480 window" wait_for_size 640x500
check "its top-left corner kept" test "$(place_of)" = "$corner"

xdotool key Escape
wait_for_exit 5
check "Escape ends it with exit code 0 (${exit_code:-still running})" test "$exit_code" = 0

finish_checks
