#!/usr/bin/env bash
# Installs a sorvi-kadra99 .deb into a fresh copy of a clean Debian 12 root
# as a user would (apt-get install ./the.deb, from the machine's Debian
# mirror), plays it under Xvfb (the window opens, Escape ends it with exit
# code 0 and nothing said), then purges it and looks for leftovers.
#
#   install_test.sh PACKAGE.deb ROOT.tar [ARCHIVES_DIR]
#
# ROOT.tar comes from debian_root.sh. Downloaded packages are kept in
# ARCHIVES_DIR between runs.
set -uo pipefail

deb=$(realpath "$1")
root_tar=$(realpath "$2")
archives=${3:-}
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d "$(dirname "$root_tar")/install.XXXXXX")
chmod 755 "$work" # apt's download user must reach the root's cache
root=$work/root
source "$here/../support/xvfb.sh"
cleanup() {
    stop_display
    # Never delete through a mount that is still in place.
    if ! grep -q " $root/" /proc/mounts; then
        rm -rf "$work"
    fi
}
trap cleanup EXIT

source "$here/../support/checks.sh"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

# --- A fresh root with the machine's Debian sources ---
mkdir -p "$root"
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
if [ -n "$archives" ]; then
    mkdir -p "$archives"
    find "$archives" -name '*.deb' -exec cp -l -t "$root/var/cache/apt/archives/" {} +
fi
cp "$deb" "$root/tmp/"
package=/tmp/$(basename "$deb")

# --- Install ---
in_root apt-get update -q
in_root apt-get install -y -q "$package"
installed=$?
if [ -n "$archives" ]; then
    find "$root/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -ln -t "$archives/" {} +
fi
check "apt-get install ./$(basename "$deb") succeeds" test "$installed" -eq 0
status=$(in_root dpkg-query -W -f '${Status}' sorvi-kadra99 2>&1)
check "the package is installed" test "$status" = "install ok installed"
check "apt finds every dependency met" in_root apt-get check -q
missing=$(in_root ldd /usr/games/sorvi-kadra99 2>&1 | grep 'not found')
check "every library the program needs is there" test -z "$missing"
[ -z "$missing" ] || echo "$missing"
in_root dpkg-query -L sorvi-kadra99 >"$work/files"

# --- Play: the window opens, Escape ends the game with 0 ---
need_tools "apt-get install xvfb xdotool" Xvfb xdotool
start_display 1024x768x24
env -i "DISPLAY=$DISPLAY" HOME=/root /usr/sbin/chroot "$root" /usr/games/sorvi-kadra99 \
    >"$work/stdout" 2>"$work/stderr" &
game_pid=$!
check "the installed game opens its window" wait_for_window
if [ -n "$window" ]; then
    xdotool keydown Escape
    sleep 0.2
    xdotool keyup Escape
    wait_for_exit 5
    check "Escape ends it with exit code 0 (${exit_code:-still running})" test "$exit_code" = 0
    check "it prints nothing" test ! -s "$work/stdout" -a ! -s "$work/stderr"
fi
stop_display
xvfb_pid=

# --- Purge: nothing of it stays ---
in_root apt-get purge -y -q sorvi-kadra99
check "apt-get purge succeeds" test $? -eq 0
status=$(in_root dpkg-query -W -f '${db:Status-Abbrev}' sorvi-kadra99 2>/dev/null)
check "dpkg keeps no record of it (${status:-none})" test -z "$(tr -d ' ' <<<"${status#un}")"
left=()
while read -r path; do
    [ -e "$root$path" ] || continue
    # A directory that another package also owns may stay.
    if [ -d "$root$path" ] && in_root dpkg-query -S "$path" >/dev/null 2>&1; then
        continue
    fi
    left+=("$path")
done <"$work/files"
check "purge leaves none of its $(wc -l <"$work/files") files and directories" test ${#left[@]} -eq 0
[ ${#left[@]} -eq 0 ] || printf '  left: %s\n' "${left[@]}"

finish_checks
