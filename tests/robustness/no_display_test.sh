#!/usr/bin/env bash
# With no display it can open, the real program ends with exit code 1 and
# one line on stderr saying why, and prints nothing else: no noise from
# the display libraries, nothing on stdout.
#
#   no_display_test.sh PROGRAM
set -uo pipefail

program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A display number nothing listens on.
free=90
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do
    free=$((free + 1))
done

source "$(dirname "$0")/../support/checks.sh"
# says WORDS ENV...: runs the program with the display variables cleared
# and then ENV set; it ends with 1 and one line saying WORDS, nothing else.
says() {
    local words=$1
    shift
    local code
    timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_RUNTIME_DIR "$@" \
        "$program" >"$work/stdout" 2>"$work/stderr"
    code=$?
    local problems=()
    [ "$code" -eq 1 ] || problems+=("exit code $code, not 1")
    [ ! -s "$work/stdout" ] || problems+=("output on stdout")
    [ "$(wc -l <"$work/stderr")" -eq 1 ] || problems+=("$(wc -l <"$work/stderr") lines on stderr")
    grep -q '^sorvi-kadra99: cannot open the game window: no display to open a window on' \
        "$work/stderr" || problems+=("no 'no display' line")
    grep -qF -- "$words" "$work/stderr" || problems+=("the line does not say '$words'")
    [ ${#problems[@]} -eq 0 ] && return 0
    printf "  %s\n" "${problems[@]}"
    sed 's/^/  stderr: /' "$work/stderr"
    sed 's/^/  stdout: /' "$work/stdout"
    return 1
}
expect() { # expect DESCRIPTION WORDS ENV...
    local what=$1
    shift
    check "$what" says "$@"
}

expect "nothing set" "neither DISPLAY nor WAYLAND_DISPLAY is set"
expect "an empty DISPLAY" "neither DISPLAY nor WAYLAND_DISPLAY is set" DISPLAY=
expect "DISPLAY naming a display that does not exist" "the X display ':$free'" DISPLAY=":$free"
expect "DISPLAY naming a screen of a display that does not exist" "the X display ':$free.1'" \
    DISPLAY=":$free.1"
expect "WAYLAND_DISPLAY without XDG_RUNTIME_DIR" "XDG_RUNTIME_DIR is not" \
    WAYLAND_DISPLAY=wayland-sorvi-none
expect "WAYLAND_DISPLAY naming a socket that does not exist" "'wayland-sorvi-none'" \
    WAYLAND_DISPLAY=wayland-sorvi-none XDG_RUNTIME_DIR="$work"
expect "both naming displays that do not exist" "nor the Wayland display" \
    DISPLAY=":$free" WAYLAND_DISPLAY=wayland-sorvi-none XDG_RUNTIME_DIR="$work"
expect "a video driver that does not exist" "sorvi-none" SDL_VIDEODRIVER=sorvi-none

finish_checks
