#!/usr/bin/env bash
# Makes a clean Debian 12 root (debootstrap's minbase) from the mirror that
# the machine's own apt uses, kept as a tar file for install_test.sh.
#
#   debian_root.sh ROOT.tar
set -euo pipefail

mirror=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Identifier: Packages' |
    awk '$2 == "bookworm" { print $1; exit }')
[ -n "$mirror" ] || { echo "no apt source for Debian bookworm here (apt-get update first?)" >&2; exit 1; }
mkdir -p "$(dirname "$1")"
root=$(mktemp -d "$(dirname "$1")/bootstrap.XXXXXX")
trap 'rm -rf "$root"' EXIT
chmod 755 "$root" # it becomes the / of the test root
debootstrap --variant=minbase bookworm "$root" "$mirror"
# Under another name first, so an interrupted run leaves no tar that looks whole.
tar -C "$root" --numeric-owner -cf "$1.part" .
mv "$1.part" "$1"
