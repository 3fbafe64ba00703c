#!/usr/bin/env bash
# The Windows program under Wine, driven as a player would; then a build
# with broken pictures, its two message boxes and play on black fallbacks.
#
#   end_to_end_test.sh PROGRAM BROKEN_PROGRAM PROBE [SCREENSHOT_DIR]
#
# It uses the Wine session of its environment (as tools/windows sets it up)
# or makes its own. SCREENSHOT_DIR gets the window with "show fps" checked.
set -uo pipefail

program=$1 broken=$2 probe=$3 shots=${4:-}
source "$(dirname "$0")/wine_session.sh"
source "$(dirname "$0")/../support/checks.sh"
need_tools "apt-get install --no-install-recommends wine wine64 xvfb xdotool imagemagick" \
    wine wineserver Xvfb xdotool import compare convert
work=$(mktemp -d)
own_session=
trap 'if [ -n "$own_session" ]; then stop_wine_session; else stop_display; fi; rm -rf "$work"' EXIT
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    own_session=1
    start_wine_session
fi

start_game() { wine "$1" >"$work/stdout" 2>"$work/stderr" & game_pid=$!; }
exits_with() { # exits_with CODE: the program ends by itself within 5 s with CODE
    wait_for_exit 5
    echo "  exit code: ${exit_code:-none, still running}"
    [ "$exit_code" = "$1" ]
}
probe() { wine "$probe" "$@" 2>/dev/null | tr -d '\r'; }
key() { xdotool key --delay 60 "$@" && sleep 0.3; }
shot() { # shot NAME LEFT TOP RIGHT BOTTOM: that part of the screen as $work/NAME.png
    import -window root -crop "$(($4 - $2))x$(($5 - $3))+$2+$3" +repage "$work/$1.png"
}
differing() { # differing NAME NAME [CROP]: how many pixels differ
    compare -metric AE "$work/$1.png${3:-}" "$work/$2.png${3:-}" null: 2>&1 | cut -d' ' -f1
}
pixels() { # pixels NAME RRGGBB [CROP]: how many pixels have that colour
    convert "$work/$1.png${3:-}" -fill '#010203' -opaque "#$2" -fill black +opaque '#010203' \
        -fill white -opaque '#010203' -format '%[fx:round(mean*w*h)]' info:
}

start_game "$program"
wait_for_window || { echo "FAILED: no window"; exit 1; }
check "title" test "$(xdotool getwindowname "$window")" = "Sorvi Kadra99 ver0.8"
# window_is "W H LEFT TOP": the client area's size and the window's corner
# come to that within 10 s (a loaded machine handles a key late).
window_is() {
    local now deadline=$((SECONDS + 10))
    while [ "$SECONDS" -lt "$deadline" ]; do
        now=$(probe window | cut -d' ' -f1-4)
        [ "$now" = "$1" ] && return 0
        sleep 0.1
    done
    echo "  the probe reads: ${now:-nothing}"
    return 1
}
read -r _ _ left top _ < <(probe window)
check "client area 320 by 240" window_is "320 240 $left $top"
key F12
check "F12: 640 by 480, top-left kept" window_is "640 480 $left $top"
key F11
check "F11: 320 by 240, top-left kept" window_is "320 240 $left $top"

read -r -a client < <(probe client)
shot running "${client[@]}"
key F10
shot menu1 "${client[@]}"
sleep 0.6
shot menu2 "${client[@]}"
check "frames run before the menu" test "$(differing running menu1)" -gt 0
check "F10 opens the menu and the frames stop" test "$(differing menu1 menu2)" -eq 0
key Down # the File pop-up, before and after "show fps" is chosen
read -r -a popup < <(probe popup)
shot file1 "${popup[@]}"
key Down Return
key F10 Down
shot file2 "${popup[@]}"
if [ -n "$shots" ]; then
    mkdir -p "$shots"
    read -r -a outer < <(probe window)
    shot menu "${outer[@]:2}" && cp "$work/menu.png" "$shots/windows-menu.png"
fi
# The mark sits left of the item's text, in the first 20 columns; the rest stays.
marked=$(differing file1 file2 '[20x1000+0+0]')
check "\"show fps\" gets its check mark ($marked pixels)" test "${#popup[@]}" -eq 4 -a \
    "$marked" -gt 5 -a "$(differing file1 file2 '[1000x1000+20+0]')" -eq 0
key Escape Escape # the pop-up, then the bar
shot after1 "${client[@]}"
sleep 0.4
shot after2 "${client[@]}"
check "frames run again after the menu" test "$(differing after1 after2)" -gt 0

key Return Return Return
shot play "${client[@]}"
# The title moves on every frame, so no mere change shows a game: in play the
# score line is at the top in mint, and there is no key help in mint at the
# bottom as the player set-up has.
check "Enter, Enter, Enter starts a game" test "$(pixels play C8FAB4 '[320x20+0+0]')" -gt 50 \
    -a "$(pixels play C8FAB4 '[320x25+0+215]')" -eq 0
key Escape
check "Escape ends the program with exit code 0" exits_with 0
check "nothing on stdout or stderr" test ! -s "$work/stdout" -a ! -s "$work/stderr"

start_game "$broken"
check "a missing backdrop says so" test "$(probe message-box)" = "FindResource Error"
key Return # each box has the keyboard as it shows
check "an empty sprite sheet says so" test "$(probe message-box)" = "LoadResource Error"
key Return
check "then the window shows" wait_for_window
sleep 0.5
read -r -a client < <(probe client)
shot black "${client[@]}"
coloured=$((320 * 240 - $(pixels black 000000)))
check "black sky, no sprites: only the title's text ($coloured pixels)" \
    test "$coloured" -gt 100 -a "$coloured" -lt 1500
key Escape
check "and ends with exit code 0" exits_with 0

start_game "$broken" # closed from its close box while a message box waits
probe message-box >/dev/null
read -r _ _ _ top right _ < <(probe window)
xdotool mousemove "$((right - 12))" "$((top + 9))" click 1
check "closed during a message box: exit code 0" exits_with 0

finish_checks
