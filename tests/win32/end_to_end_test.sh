#!/usr/bin/env bash
# The Windows program under Wine, driven as a player would; then a build
# with broken pictures, its two message boxes and play on black fallbacks;
# then fullscreen with a window manager, and the window at 200 %.
#
#   end_to_end_test.sh PROGRAM BROKEN_PROGRAM PROBE [SCREENSHOT_DIR]
#
# It uses the Wine session of its environment (as tools/windows sets it up)
# or makes its own, and gives back the settings it changes there.
# SCREENSHOT_DIR gets the window with "show fps" checked, fullscreen, and
# the window at 200 % in both sizes.
set -uo pipefail

program=$1 broken=$2 probe=$3 shots=${4:-}
source "$(dirname "$0")/wine_session.sh"
source "$(dirname "$0")/../support/checks.sh"
need_tools "apt-get install --no-install-recommends wine wine64 xvfb xdotool imagemagick openbox" \
    wine wineserver Xvfb xdotool import compare convert openbox
work=$(mktemp -d)
own_session=
wm_pid=
# The prefix's usual settings: unmanaged windows, the normal scale.
usual_settings() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
}
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    if [ -n "$own_session" ]; then
        stop_wine_session
    else
        usual_settings
        stop_display
    fi
    rm -rf "$work"
}
trap cleanup EXIT
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

# --- Fullscreen, on a desktop with a window manager ---
whole_squares() { # whole_squares NAME FACTOR: every FACTOR by FACTOR block one colour
    convert "$work/$1.png" -sample "$((100 / $2))%" -sample "$((100 * $2))%" "$work/$1-squares.png"
    test "$(differing "$1" "$1-squares")" -eq 0
}
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d Y /f >/dev/null 2>&1
start_game "$program"
wait_for_window || { echo "FAILED: no window with a window manager"; exit 1; }
alt_enter() { xdotool keydown alt key Return keyup alt && sleep 0.5; }
read -r _ _ left top _ < <(probe window)
alt_enter
check "Alt+Enter covers the 1280x1024 screen" window_is "1280 1024 0 0"
sleep 0.3
shot full1 0 0 1280 1024
sleep 0.3
shot full2 0 0 1280 1024
shot picture 0 32 1280 992
# Four times 320x240 is 1280x960: 32 black rows above and below.
check "the picture four times as large between black bands" test \
    "$(pixels full1 000000 '[1280x32+0+0]')" -eq 40960 -a \
    "$(pixels full1 000000 '[1280x32+0+992]')" -eq 40960
check "each game pixel a square of 4 by 4" whole_squares picture 4
check "the game stays on the title, and runs on with no menu open" test \
    "$(pixels full1 C8FAB4)" -eq 0 -a "$(differing full1 full2)" -gt 0
[ -n "$shots" ] && cp "$work/full1.png" "$shots/windows-fullscreen.png"
bar_shows() { # bar_shows yes|no: the menu bar over the top rows, or black there
    shot top 0 0 1280 16
    if [ "$1" = yes ]; then test "$(pixels top 000000)" -lt 2000; else test "$(pixels top 000000)" -eq 20480; fi
}
key F10
check "F10 shows the menu bar over the picture's top" eventually bar_shows yes
key Escape
check "closing the menu hides it again" eventually bar_shows no
xdotool mousemove 900 4 click 1
sleep 0.5
read -r -a popup < <(probe popup)
check "a click along the top opens the first menu" test "${#popup[@]}" -eq 4 -a "${popup[0]:-1}" -eq 0
key Escape Escape
alt_enter
check "Alt+Enter again: the 320x240 window at its old top-left" window_is "320 240 $left $top"
key Escape
check "and Escape ends it with exit code 0" exits_with 0
kill "$wm_pid" 2>/dev/null
wm_pid=
usual_settings

# --- At 200 %: each game pixel a square of 2 by 2, or 4 by 4 at double size ---
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
start_game "$program"
wait_for_window || { echo "FAILED: no window at 200 %"; exit 1; }
client_is() { # client_is "W H": the client area comes to that size within 10 s
    local deadline=$((SECONDS + 10))
    while [ "$SECONDS" -lt "$deadline" ]; do
        [ "$(probe window | cut -d' ' -f1-2)" = "$1" ] && return 0
        sleep 0.1
    done
    echo "  the probe reads: $(probe window)"
    return 1
}
for size in normal:2:640x480 double:4:1280x960; do
    IFS=: read -r name factor pixels <<<"$size"
    [ "$name" = double ] && key F12
    check "200 %, $name size: the client area is $pixels" client_is "${pixels/x/ }"
    if [ -n "$shots" ] && [ "$name" = normal ]; then # the whole window, its frame twice as large
        read -r -a outer < <(probe window)
        shot window-200 "${outer[@]:2}" && cp "$work/window-200.png" "$shots/windows-200-percent.png"
    fi
    # Moved so that the client area is on the screen, from its top-left corner.
    read -r -a client < <(probe client)
    read -r _ _ outer_left outer_top _ < <(probe window)
    probe place "$((outer_left - client[0]))" "$((outer_top - client[1]))"
    sleep 0.5
    read -r -a client < <(probe client)
    shot "dpi-$name" "${client[@]}"
    check "the picture in squares of $factor by $factor" whole_squares "dpi-$name" "$factor"
    [ -n "$shots" ] && [ "$name" = double ] && cp "$work/dpi-$name.png" "$shots/windows-200-percent-double.png"
done
key Escape
check "at 200 % too, Escape ends it with exit code 0" exits_with 0
usual_settings

finish_checks
