#!/usr/bin/env bash
# Netplay on one machine: a RetroArch host and a client, each on its own
# Xvfb display, play the game for a minute with RetroArch's frame checking
# on, and must show the same picture in every frame. RetroArch 1.14 says
# nothing when netplay goes out of step, so the core's frame log (each
# frame's number and picture hash; the number travels in the state the
# client takes from the host) is compared frame by frame.
#
#   tests/libretro/netplay_test.sh CORE.so CORE.info [SECONDS]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
core=$1
info=$2
seconds=${3:-60}
work=$(mktemp -d)
source "$here/retroarch.sh"
source "$here/../support/checks.sh"
trap 'stop_all; rm -rf "$work"' EXIT
need_tools "apt-get install retroarch xvfb xdotool imagemagick python3" \
    retroarch Xvfb xdotool convert python3

port=$(free_port tcp)
start_instance host -H --port "$port" --check-frames=30
wait_for host 'You have joined as player 1' 30 || exit 1
start_instance client -C 127.0.0.1 --port "$port" --check-frames=30
wait_for client 'You have joined as player 2' 30 || exit 1
wait_for host 'has joined as player 2' 30 || exit 1
wait_frames client 30 || exit 1
started=$SECONDS

# The host's pad opens the setup screen, the client's switches player 2
# on, the host's starts the game.
hold host m 0.3
sleep 0.5
hold client Down 0.3
sleep 0.3
hold client n 0.3
sleep 0.3
hold host m 0.3
sleep 1
screenshot host "$work/host-play.png" || exit 1
screenshot client "$work/client-play.png" || exit 1
for side in host client; do
    seen=$(screen_of "$work/$side-play.png")
    if [ "$seen" != play ]; then
        echo "FAILED: the $side shows $seen, not play, after the start"
        exit 1
    fi
done

# Both players steer and cast at random for the rest of the time; now and
# then the host's Start (m) leads from a game over into the next game.
player() { # player NAME SEED
    RANDOM=$2
    local keys=(Up Down Left Right z x Up Left m)
    while [ $((SECONDS - started)) -lt "$seconds" ]; do
        hold "$1" "${keys[$((RANDOM % ${#keys[@]}))]}" "0.$((1 + RANDOM % 6))"
        sleep "0.0$((RANDOM % 10))"
    done
}
player host 11 &
host_player=$!
player client 23 &
client_player=$!
wait "$host_player" "$client_player"

quit client
check "the client ends with code 0" [ "${exit_code:-none}" = 0 ]
quit host
check "the host ends with code 0" [ "${exit_code:-none}" = 0 ]

# The last picture each side showed for each frame number (a rollback runs
# a frame again); the client's count from its first state from the host.
compare() {
    python3 - "$work/host/frames" "$work/client/frames" "$seconds" <<'PY'
import sys

def frames(path, after_first_load):
    seen, counting = {}, not after_first_load
    for line in open(path):
        fields = line.split()
        if fields[0] == "load":
            counting = True
        elif counting:
            seen[int(fields[0])] = fields[1]
    return seen

host = frames(sys.argv[1], False)
client = frames(sys.argv[2], True)
both = sorted(set(host) & set(client))
different = [f for f in both if host[f] != client[f]]
pictures = len({host[f] for f in both})
print(f"netplay: {len(both)} frames compared (frames {both[0] if both else '-'} to "
      f"{both[-1] if both else '-'}), {pictures} different pictures, {len(different)} unlike")
if different:
    print("    first unlike frames:", different[:10])
# At 33 frames a second, most of the play must have been compared, and
# the pictures must have moved.
enough = len(both) >= 25 * int(sys.argv[3]) and pictures > 100
if not enough:
    print("    too few frames compared")
sys.exit(0 if enough and not different else 1)
PY
}
check "host and client showed the same picture in every frame of the game" compare
finish_checks
