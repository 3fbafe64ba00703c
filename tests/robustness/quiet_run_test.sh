#!/usr/bin/env bash
# Plays the real program for a few seconds in its own X server under
# strace and fails on anything it does to the machine beyond showing its
# window: a file opened for writing (or created, truncated, appended to)
# and any socket or connection other than the one to the X display.
#
#   quiet_run_test.sh PROGRAM
#
# KEEP_TRACE=FILE keeps the whole trace for a look afterwards.
set -uo pipefail

program=$1
source "$(dirname "$0")/../support/xvfb.sh"
source "$(dirname "$0")/../support/checks.sh"
need_tools "apt-get install strace xvfb xdotool" strace Xvfb xdotool

work=$(mktemp -d)
cleanup() {
    stop_display
    if [ -n "${KEEP_TRACE:-}" ]; then cp "$work/trace" "$KEEP_TRACE"; fi
    rm -rf "$work"
}
trap cleanup EXIT

# strace needs ptrace; a container without it cannot run this check.
if ! strace -f -qq -o /dev/null true 2>"$work/strace-probe"; then
    echo "SKIP: strace cannot trace here: $(head -1 "$work/strace-probe")"
    exit 77
fi

start_display 1024x768x24

log="$work/trace"
strace -f -qq -e trace=openat,open,creat,socket,connect -o "$log" \
    "$program" >"$work/stdout" 2>"$work/stderr" &
game_pid=$!

if ! wait_for_window; then
    echo "FAILED: no window"
    exit 1
fi

press() { # press SECONDS KEY...: holds the keys together
    local hold=$1
    shift
    xdotool keydown "$@"
    sleep "$hold"
    xdotool keyup "$@"
    sleep 0.2
}
press 0.2 Return # title: Mode1
press 0.2 Return # setup: start
for key in Up Right Down Left Up Down; do
    press 0.5 "$key"
done
press 0.2 F12 # double size and back: the window is resized
press 0.2 F11
press 0.2 Escape

wait_for_exit 10
check "Escape ends it within 10 s with exit code 0 (${exit_code:-still running})" \
    test "$exit_code" = 0

# none LINES: LINES is empty; else it shows them.
none() {
    [ -z "$1" ] && return 0
    sed 's/^/  /' <<<"$1"
    return 1
}
check "nothing on stderr" none "$(cat "$work/stderr")"
check "nothing on stdout" none "$(cat "$work/stdout")"

# The one connection it may make: to this X server's socket, in the file
# system or in the abstract namespace.
x_socket="/tmp/.X11-unix/X${DISPLAY#:}"
writes=$(grep -E '(^|[[:space:]])(open|openat)\(' "$log" |
    grep -E 'O_(WRONLY|RDWR|CREAT|TRUNC|APPEND)')
creates=$(grep -E '(^|[[:space:]])creat\(' "$log")
# SDL's joystick start-up opens one kernel device-event socket: its HID
# layer asks SDL's udev helper for libudev, and that helper always starts
# a udev monitor (SDL 2.26 has no switch for it). It only receives
# hot-plug notices from the kernel; nothing leaves the machine. One is
# let through, and said so; a second is a failure.
uevent='socket(AF_NETLINK, SOCK_RAW|SOCK_CLOEXEC|SOCK_NONBLOCK, NETLINK_KOBJECT_UEVENT)'
uevents=$(grep -cF "$uevent" "$log")
sockets=$(grep -E '(^|[[:space:]])socket\(' "$log" | grep -v 'socket(AF_UNIX,')
if [ "$uevents" -eq 1 ]; then
    sockets=$(grep -vF "$uevent" <<<"$sockets")
    echo "allowed: SDL's one udev monitor socket (kernel hot-plug notices only)"
fi
connects=$(grep -E '(^|[[:space:]])connect\(' "$log" |
    grep -vF -e "sun_path=\"$x_socket\"}" -e "sun_path=@\"$x_socket\"}")
x_connects=$(grep -E '(^|[[:space:]])connect\(' "$log" |
    grep -cF -e "sun_path=\"$x_socket\"}" -e "sun_path=@\"$x_socket\"}")

check "no file opened for writing" none "$writes"
check "no file created" none "$creates"
check "no socket other than AF_UNIX" none "$sockets"
check "no connection other than to the X display $x_socket" none "$connects"
check "a connection to the X display was seen (the trace is complete)" test "$x_connects" -gt 0
opens=$(grep -cE '(^|[[:space:]])(open|openat)\(' "$log")
echo "traced $opens opens and $x_connects connection(s) to $x_socket"

finish_checks
