#!/usr/bin/env bash
# The Windows program under Wine on an X display, driven as a player would:
# its title and client sizes, the accelerators, the native menu stopping the
# frames and showing its check mark, a game started with Enter and ended
# with Escape; then a build with broken pictures: its two message boxes,
# read back from their windows, and play on the black fallbacks.
#
#   end_to_end_test.sh PROGRAM BROKEN_PROGRAM PROBE [SCREENSHOT_DIR]
#
# It uses the Wine session of its environment (WINEPREFIX and DISPLAY, as
# tools/windows sets them up), or makes one of its own. With SCREENSHOT_DIR
# it also saves the open File menu with "show fps" checked.
set -uo pipefail

program=$1
broken=$2
probe=$3
shots=${4:-}
source "$(dirname "$0")/wine_session.sh"
need_tools "apt-get install --no-install-recommends wine wine64 xvfb xdotool imagemagick" \
    wine wineserver Xvfb xdotool import compare convert

work=$(mktemp -d)
own_session=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$own_session" ] && stop_wine_session
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    own_session=1
    start_wine_session
fi

source "$(dirname "$0")/../support/checks.sh"

start_game() { # start_game EXE
    wine "$1" >"$work/stdout" 2>"$work/stderr" &
    game_pid=$!
}

ended_with() { # ended_with CODE: the program ended by itself within 5 s with CODE
    local code
    for _ in $(seq 50); do
        if ! kill -0 "$game_pid" 2>/dev/null; then
            wait "$game_pid"
            code=$?
            game_pid=
            [ "$code" -eq "$1" ] || echo "  exit code $code"
            [ "$code" -eq "$1" ]
            return
        fi
        sleep 0.1
    done
    echo "  still running"
    return 1
}

# What the probe reads from the game's windows, without Windows' line ends.
probe() { wine "$probe" "$@" 2>>"$work/probe.log" | tr -d '\r'; }
# The client area's size and the window's top-left corner: "W H LEFT TOP".
client_and_corner() { probe window | cut -d' ' -f1-4; }
# The client area from a screenshot of the whole display.
shot_client() { # shot_client NAME
    local w h x y
    read -r w h _ _ _ _ x y < <(probe window)
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$work/$1.png"
}
differing() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }
# Pixels of a screenshot in one colour (RRGGBB).
pixels_of() { # pixels_of NAME RRGGBB
    convert "$work/$1.png" -fill black +opaque "#$2" -fill white -opaque "#$2" \
        -format '%[fx:round(mean*w*h)]' info:
}
key() {
    xdotool key --delay 60 "$@"
    sleep 0.3
}

# --- The window ---
start_game "$program"
if ! wait_for_window; then
    echo "FAILED: no window appeared"
    exit 1
fi
check "title" test "$(xdotool getwindowname "$window")" = "Sorvi Kadra99 ver0.8"
start=$(client_and_corner)
read -r _ _ left top <<<"$start"
check "client area 320 by 240" test "$start" = "320 240 $left $top"
key F12
check "F12: client area 640 by 480, top-left kept" test "$(client_and_corner)" = "640 480 $left $top"
key F11
check "F11: back to 320 by 240, top-left kept" test "$(client_and_corner)" = "320 240 $left $top"

# --- The native menu ---
shot_client running1
key F10 # the menu bar: the frames stop
shot_client menu1
sleep 0.6
shot_client menu2
check "frames run before the menu" test "$(differing running1 menu1)" -gt 0
check "F10 opens the menu and the frames stop" test "$(differing menu1 menu2)" -eq 0
key Down # the File pop-up
popup=$(probe popup)
check "Down opens the File pop-up" test -n "$popup"
read -r px py pright pbottom <<<"${popup:-0 0 1 1}"
import -window root -crop "$((pright - px))x$((pbottom - py))+$px+$py" +repage "$work/popup1.png"
key Down Return # show fps
check "choosing an item closes the menu; the program goes on" kill -0 "$game_pid"
key F10 Down
import -window root -crop "$((pright - px))x$((pbottom - py))+$px+$py" +repage "$work/popup2.png"
if [ -n "$shots" ]; then
    # The window with the pop-up over it.
    mkdir -p "$shots"
    read -r _ _ wx wy wright wbottom _ _ < <(probe window)
    import -window root -crop "$((wright - wx))x$((wbottom - wy))+$wx+$wy" +repage \
        "$shots/windows-menu.png"
fi
# The check mark sits left of the item's text, in the pop-up's first 20
# columns; the rest of the pop-up is as before.
convert "$work/popup1.png" -crop 20x+0+0 +repage "$work/marks1.png"
convert "$work/popup2.png" -crop 20x+0+0 +repage "$work/marks2.png"
convert "$work/popup1.png" -crop +20+0 +repage "$work/items1.png"
convert "$work/popup2.png" -crop +20+0 +repage "$work/items2.png"
marked=$(differing marks1 marks2)
echo "  check mark: $marked pixels"
check "\"show fps\" gets its check mark" test "$marked" -gt 5 -a "$(differing items1 items2)" -eq 0
key Escape Escape # the pop-up, then the bar
check "Escape in the menu closes it only" kill -0 "$game_pid"
# A click on the menu bar's first title opens its pop-up, frames stopped.
read -r _ _ _ _ _ _ cx cy < <(probe window)
xdotool mousemove "$((cx + 15))" "$((cy - 10))" click 1
sleep 0.3
shot_client click1
sleep 0.5
shot_client click2
check "a click on the menu bar opens a pop-up" test -n "$(probe popup)"
check "and the frames stop" test "$(differing click1 click2)" -eq 0
key Escape Escape
xdotool mousemove "$((cx + 160))" "$((cy + 120))"
shot_client fps1
sleep 0.4
shot_client fps2
check "frames run again after the menu" test "$(differing fps1 fps2)" -gt 0
check "the frame rate shows in its colour" test "$(pixels_of fps2 FAC8B4)" -gt 50

# --- A game ---
key Return Return Return
shot_client play1
sleep 0.5
shot_client play2
check "Enter, Enter, Enter starts a game" test "$(differing fps2 play1)" -gt 5000
check "frames run in play" test "$(differing play1 play2)" -gt 0
key Escape
check "Escape ends the program with exit code 0" ended_with 0
check "nothing on stdout or stderr" test ! -s "$work/stdout" -a ! -s "$work/stderr"

# --- Broken pictures ---
start_game "$broken"
# Each box has the keyboard as it shows; Enter dismisses it.
first=$(probe message-box)
check "a missing backdrop says so" test "$first" = "FindResource Error"
key Return
second=$(probe message-box)
check "an empty sprite sheet says so" test "$second" = "LoadResource Error"
key Return
if wait_for_window; then
    sleep 0.5
    shot_client black
    # Black sky and no sprites: only the title's text shows (the Enter
    # that dismissed the box was the box's, not the title's).
    coloured=$(convert "$work/black.png" -fill white +opaque black \
        -format '%[fx:round(mean*w*h)]' info:)
    echo "  $coloured coloured pixels"
    check "the title runs on black pictures" test "$coloured" -gt 100 -a "$coloured" -lt 1500
    key Escape
    check "and ends with exit code 0" ended_with 0
else
    check "a window after the message boxes" false
fi

# Closed from its close box while a message box waits: ends, no crash.
start_game "$broken"
probe message-box >/dev/null
read -r _ _ _ top right _ _ _ < <(probe window)
xdotool mousemove "$((right - 12))" "$((top + 9))" click 1
check "closed during a message box: exit code 0" ended_with 0

finish_checks
