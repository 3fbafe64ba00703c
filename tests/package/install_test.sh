#!/usr/bin/env bash
# Installs a sorvi-kadra99 .deb into a fresh copy of a clean Debian 12 root
# as a user would (apt-get install ./the.deb, dependencies from the
# machine's Debian mirror), plays it under Xvfb (the window opens with the
# desktop entry's class, Escape ends it with 0 and nothing said), then
# purges it and looks for leftovers.
#
#   install_test.sh PACKAGE.deb ROOT.tar [ARCHIVES_DIR]
#
# ROOT.tar comes from debian_root.sh. Downloaded packages are kept in
# ARCHIVES_DIR between runs.
set -uo pipefail

deb=$(realpath "$1")
root_tar=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "$(dirname "$root_tar")/install.XXXXXX")
chmod 755 "$work" # apt's download user must reach the root's cache
root=$work/root
archives=${3:-$work/archives}
source "$here/../support/xvfb.sh"
source "$here/../support/checks.sh"
# Never delete through a mount that is still in place.
trap 'stop_display; grep -q " $root/" /proc/mounts || rm -rf "$work"' EXIT
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

# --- A fresh root with the machine's Debian sources ---
mkdir -p "$root" "$archives"
tar -C "$root" --numeric-owner -xpf "$root_tar"
chmod 755 "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
rm -f "$root/etc/apt/sources.list"
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
    awk '$2 ~ /^bookworm/ { print "deb " $0 }' | sort -u >"$root/etc/apt/sources.list.d/machine.list"
{
    apt-config dump | grep '^Acquire::Check-'
    echo 'Dpkg::Use-Pty "0";' # no /dev/pts in the root
} >"$root/etc/apt/apt.conf.d/50machine"
find "$archives" -name '*.deb' -exec cp -l -t "$root/var/cache/apt/archives/" {} +
cp "$deb" "$root/tmp/"

# --- Install ---
in_root apt-get update -q
check "apt-get install ./$(basename "$deb") with what it depends on" \
    in_root apt-get install -y -q "/tmp/$(basename "$deb")"
find "$root/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -ln -t "$archives/" {} +
in_root dpkg-query -L sorvi-kadra99 >"$work/files"

# --- Play: the window opens, Escape ends the game with 0 ---
need_tools "apt-get install xvfb xdotool" Xvfb xdotool
start_display 1024x768x24
env -i "DISPLAY=$DISPLAY" HOME=/root /usr/sbin/chroot "$root" /usr/games/sorvi-kadra99 \
    >"$work/stdout" 2>"$work/stderr" &
game_pid=$!
check "the installed game opens its window" wait_for_window
class=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/sorvi-kadra99.desktop")
check "its class is the desktop entry's StartupWMClass '$class'" \
    test -n "$class" -a -n "$(xdotool search --class "^$class\$" 2>/dev/null)"
xdotool keydown Escape
sleep 0.2
xdotool keyup Escape
wait_for_exit 5
check "Escape ends it with exit code 0 (${exit_code:-still running})" test "$exit_code" = 0
check "it prints nothing" test ! -s "$work/stdout" -a ! -s "$work/stderr"
stop_display
xvfb_pid=

# --- Purge: nothing of it stays ---
check "apt-get purge" in_root apt-get purge -y -q sorvi-kadra99
left=$(while read -r path; do
    # A directory that another package also owns may stay.
    [ -e "$root$path" ] && ! { [ -d "$root$path" ] && in_root dpkg-query -S "$path" >/dev/null 2>&1; } &&
        echo "  left: $path"
done <"$work/files")
check "purge leaves none of its $(wc -l <"$work/files") files and directories" test -z "$left"
[ -z "$left" ] || echo "$left"

finish_checks
