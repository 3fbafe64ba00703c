#!/usr/bin/env bash
# Makes a clean Debian 12 root (debootstrap's minbase) from the machine's
# own Debian mirror and keeps it as a tar file, for install_test.sh.
#
#   debian_root.sh ROOT.tar
set -euo pipefail

tarball=$1
suite=bookworm
# The mirror that the machine's apt itself uses for the suite.
mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' |
    awk -v suite="$suite" '$2 == suite { print $1; exit }')
if [ -z "$mirror" ]; then
    echo "no apt source for Debian $suite on this machine (apt-get update first?)" >&2
    exit 1
fi

mkdir -p "$(dirname "$tarball")"
root=$(mktemp -d "$(dirname "$tarball")/bootstrap.XXXXXX")
trap 'rm -rf "$root"' EXIT
chmod 755 "$root" # it becomes the / of the test root
echo "debootstrap --variant=minbase $suite from $mirror"
debootstrap --variant=minbase "$suite" "$root" "$mirror"
# Written under another name first, so an interrupted run leaves no tar
# file that looks complete.
tar -C "$root" --numeric-owner -cf "$tarball.part" .
mv "$tarball.part" "$tarball"
