#!/usr/bin/env bash
# The core in Debian's RetroArch under Xvfb: it starts with no content,
# shows the title, a RetroPad's Start (a key bound to Start alone) opens the
# setup screen and starts a game, a saved state comes back, RetroArch's
# reset is the game's, and QUIT ends it with code 0.
#
#   tests/libretro/retroarch_test.sh CORE.so CORE.info [DIR]
#
# With DIR, the pictures it took are left there, and RetroArch's whole
# window during the game (retroarch-window.png; the README's picture is it
# at two thirds: convert DIR/retroarch-window.png -sample 640x480
# docs/screenshots/retroarch.png).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
core=$1
info=$2
keep=${3:-}
work=$(mktemp -d)
source "$here/retroarch.sh"
source "$here/../support/checks.sh"
trap 'stop_all; rm -rf "$work"' EXIT
need_tools "apt-get install retroarch xvfb xdotool imagemagick" retroarch Xvfb xdotool convert

is_screen() { # is_screen FILE SCREEN
    local seen
    seen=$(screen_of "$1")
    [ "$seen" = "$2" ] || { echo "    $1 shows $seen, not $2"; return 1; }
}

# Debug logging: RetroArch then lists the button names it was given.
printf 'frontend_log_level = "0"\nlibretro_log_level = "0"\n' >"$work/solo.cfg"
start_instance solo
wait_for solo 'SET_PIXEL_FORMAT: XRGB8888' 30 || exit 1
wait_frames solo 30 || exit 1
check "it starts with no content" \
    grep -q 'SET_SUPPORT_NO_GAME: yes' "$work/solo/log"

maho_named() {
    local port
    for port in 1 2 3; do
        grep -q "Port $port, Button \"B (bottom)\" => \"Maho\"" "$work/solo/log" &&
            grep -q "Port $port, Button \"A (right)\" => \"Maho\"" "$work/solo/log" || return 1
    done
}
check "RetroArch names B and A \"Maho\" on the three players' pads" maho_named
screenshot solo "$work/title.png" || exit 1
check "it shows the title" is_screen "$work/title.png" title

hold solo m 0.25
wait_frames solo 10
screenshot solo "$work/setup.png" || exit 1
check "a RetroPad's Start opens the setup screen" is_screen "$work/setup.png" setup

send solo SAVE_STATE
check "RetroArch saves a state of the core (its information file allows it)" wait_for solo 'Saving state ".*", [0-9]+ bytes' 10
hold solo m 0.25
wait_frames solo 30
screenshot solo "$work/play.png" || exit 1
check "Start again starts a game" is_screen "$work/play.png" play
if [ -n "$keep" ]; then
    # The README's picture: RetroArch's window a few seconds into the game.
    hold solo Left 0.6
    hold solo Up 0.3
    sleep 3
    display=$(cat "$work/solo/display")
    window=$(DISPLAY=$display xdotool search --name RetroArch | head -1)
    DISPLAY=$display import -window "$window" "$work/retroarch-window.png"
fi

send solo LOAD_STATE
wait_for solo 'Loading state ".*", [0-9]+ bytes' 10
wait_frames solo 10
screenshot solo "$work/loaded.png" || exit 1
check "the saved state brings the setup screen back" is_screen "$work/loaded.png" setup

send solo RESET
wait_frames solo 10
screenshot solo "$work/reset.png" || exit 1
check "RetroArch's reset returns to the title" is_screen "$work/reset.png" title

quit solo
check "QUIT ends RetroArch with code 0" [ "${exit_code:-none}" = 0 ]

if [ -n "$keep" ]; then
    mkdir -p "$keep"
    cp "$work"/*.png "$keep"/
fi
finish_checks
