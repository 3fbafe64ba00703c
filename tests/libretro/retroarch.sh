# Shared by the tests that run the core in Debian's RetroArch: an Xvfb
# display per instance, RetroArch started on it with a configuration of the
# test's own (no audio, its network commands on, the core's directories),
# commands, keys and screenshots. The sourcing script sets `work` (its
# scratch directory), `core` and `info`, and calls stop_all in its exit trap.
# shellcheck shell=bash

source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh" # need_tools
pids=()

stop_all() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
}

# free_port udp|tcp: a port nothing listens on now.
free_port() {
    python3 -c "import socket,sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM if sys.argv[1] == 'udp' else socket.SOCK_STREAM)
s.bind(('127.0.0.1', 0)); print(s.getsockname()[1])" "$1"
}

# start_instance NAME ARGS...: an Xvfb of its own and RetroArch on it with
# the core, its output in $work/NAME/log, its command port in
# $work/NAME/port. Extra lines for its configuration may be put in
# $work/NAME.cfg beforehand. Keeps each instance's DISPLAY in
# $work/NAME/display.
start_instance() {
    local name=$1 dir=$work/$1
    shift
    mkdir -p "$dir"/home "$dir"/cores "$dir"/info "$dir"/shots "$dir"/saves "$dir"/states "$dir"/system
    cp "$core" "$dir/cores/"
    cp "$info" "$dir/info/"
    local port
    port=$(free_port udp)
    echo "$port" >"$dir/port"
    cat >"$dir/append.cfg" <<EOF
audio_driver = "null"
video_driver = "gl"
vrr_runloop_enable = "true"
pause_nonactive = "false"
quit_press_twice = "false"
network_cmd_enable = "true"
network_cmd_port = "$port"
screenshot_directory = "$dir/shots"
video_gpu_screenshot = "false"
savefile_directory = "$dir/saves"
savestate_directory = "$dir/states"
system_directory = "$dir/system"
libretro_directory = "$dir/cores"
libretro_info_path = "$dir/info"
core_info_cache_enable = "false"
config_save_on_exit = "false"
netplay_public_announce = "false"
netplay_nat_traversal = "false"
suspend_screensaver_enable = "false"
video_font_enable = "false"
input_player1_start = "m"
input_player1_select = "n"
EOF
    [ -f "$work/$name.cfg" ] && cat "$work/$name.cfg" >>"$dir/append.cfg"
    : >"$dir/empty.cfg"

    start_xvfb "$dir" 1024x768x24 || exit 1
    pids+=("$xvfb_pid")
    : >"$dir/log"
    HOME=$dir/home DISPLAY=$(cat "$dir/display") SORVI_FRAME_LOG=$dir/frames \
        retroarch -v -c "$dir/empty.cfg" --appendconfig="$dir/append.cfg" \
        -L "$dir/cores/$(basename "$core")" "$@" >"$dir/log" 2>&1 &
    echo $! >"$dir/pid"
    pids+=($!)
}

# send NAME TEXT: one network command to the instance.
send() {
    printf '%s' "$2" >"/dev/udp/127.0.0.1/$(cat "$work/$1/port")"
}

# wait_for NAME REGEX SECONDS: until the instance's log has a matching line.
wait_for() {
    local _
    for _ in $(seq $(($3 * 10))); do
        grep -qE -- "$2" "$work/$1/log" && return 0
        kill -0 "$(cat "$work/$1/pid")" 2>/dev/null || break
        sleep 0.1
    done
    echo "FAILED: $1 logged no line like '$2' in $3 s; its log ends:"
    tail -n 20 "$work/$1/log"
    return 1
}

# frames NAME: how many frames the instance's core has run.
frames() {
    wc -l <"$work/$1/frames" 2>/dev/null || echo 0
}

# wait_frames NAME COUNT: until the core has run COUNT more frames.
wait_frames() {
    local target=$(($(frames "$1") + $2)) _
    for _ in $(seq 300); do
        [ "$(frames "$1")" -ge "$target" ] && return 0
        sleep 0.1
    done
    echo "FAILED: $1 ran no $2 frames in 30 s"
    return 1
}

# hold NAME KEY SECONDS: the key held down on the instance's display.
hold() {
    DISPLAY=$(cat "$work/$1/display") xdotool keydown "$2"
    sleep "$3"
    DISPLAY=$(cat "$work/$1/display") xdotool keyup "$2"
}

# screenshot NAME FILE: the core's own picture (320x240) as a PNG.
screenshot() {
    local dir=$work/$1/shots _ shot
    rm -f "$dir"/*.png
    send "$1" SCREENSHOT
    for _ in $(seq 100); do
        shot=$(find "$dir" -name '*.png' | head -1)
        if [ -n "$shot" ] && [ "$(identify -format '%wx%h' "$shot" 2>/dev/null)" = 320x240 ]; then
            mv "$shot" "$2"
            return 0
        fi
        sleep 0.1
    done
    echo "FAILED: no screenshot from $1"
    return 1
}

# holds_colour FILE TOP HEIGHT RRGGBB: whether rows TOP.. of the picture
# have a pixel of that colour.
holds_colour() {
    [ "$(convert "$1" -crop "320x$3+0+$2" +repage -depth 8 txt:- | grep -ci "#$4")" -gt 0 ]
}

# screen_of FILE: title, setup, play or other, by the game's texts: the
# setup's help line in mint at the bottom, the score line in mint at the
# top in play, the title's name in peach.
screen_of() {
    if holds_colour "$1" 223 17 C8FAB4; then
        echo setup
    elif holds_colour "$1" 3 16 C8FAB4; then
        echo play
    elif holds_colour "$1" 80 16 FAC8B4; then
        echo title
    else
        echo other
    fi
}

# quit NAME: QUIT and the exit code in `exit_code` (empty if it did not end).
quit() {
    local pid _
    pid=$(cat "$work/$1/pid")
    send "$1" QUIT
    exit_code=
    for _ in $(seq 150); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            exit_code=$?
            return 0
        fi
        sleep 0.1
    done
}
