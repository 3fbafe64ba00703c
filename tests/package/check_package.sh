#!/usr/bin/env bash
# Checks a built sorvi-kadra99 .deb as Debian and the desktops read it:
# lintian without errors or warnings, the desktop entry, the AppStream
# metainfo, the icons, the manual page, the copyright and changelog files,
# and Depends as dpkg-shlibdeps computes it from the program.
#
#   check_package.sh PACKAGE.deb
set -uo pipefail

deb=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/checks.sh"
has_line() { # has_line FILE LINE
    grep -qxF -- "$2" "$1" || echo "  no line '$2' in ${1#"$work"/}"
    grep -qxF -- "$2" "$1"
}
shows_nothing() { # shows_nothing COMMAND...: succeeds and prints nothing
    local output
    output=$("$@" 2>&1) || { echo "$output" | sed 's/^/  /'; return 1; }
    [ -z "$output" ] || echo "$output" | sed 's/^/  /'
    [ -z "$output" ]
}

tree=$work/tree
dpkg-deb -x "$deb" "$tree"
dpkg-deb -f "$deb" >"$work/control"
field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
share=$tree/usr/share

# lintian's tags, the informational ones too, are listed; errors and warnings fail.
lintian_ok() {
    lintian --display-info --pedantic --fail-on error,warning "$deb" 2>&1 |
        grep -v 'running with root privileges is not recommended'
    return "${PIPESTATUS[0]}"
}
check "lintian: no error, no warning" lintian_ok

check "control: name, section, priority" \
    test "$(field Package) $(field Section) $(field Priority)" = "sorvi-kadra99 games optional"
check "control: the version of the changelog's newest entry" \
    test "$version" = "$(zcat "$share/doc/sorvi-kadra99/changelog.gz" | dpkg-parsechangelog -l - -S Version)"
mkdir -p "$work/shlibs/debian"
: >"$work/shlibs/debian/control"
computed=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$tree/usr/games/sorvi-kadra99" 2>/dev/null)
check "control: Depends as dpkg-shlibdeps computes it" \
    test "shlibs:Depends=$(field Depends)" = "$computed"
check "control: Depends names SDL 2" grep -q '^Depends: .*libsdl2-2.0-0' "$work/control"

check "the program in /usr/games" test -x "$tree/usr/games/sorvi-kadra99"
check "nothing outside /usr" test "$(ls "$tree")" = usr
unexpected=$(cd "$tree" && find . -type f ! -path './usr/games/sorvi-kadra99' \
    ! -path './usr/share/applications/sorvi-kadra99.desktop' \
    ! -path './usr/share/icons/hicolor/*/apps/sorvi-kadra99.png' \
    ! -path './usr/share/metainfo/*.metainfo.xml' \
    ! -path './usr/share/man/man6/sorvi-kadra99.6.gz' \
    ! -path './usr/share/doc/sorvi-kadra99/copyright' \
    ! -path './usr/share/doc/sorvi-kadra99/changelog.gz')
check "no file besides the program and its data" test -z "$unexpected"
[ -z "$unexpected" ] || echo "  unexpected: $unexpected"

desktop=$share/applications/sorvi-kadra99.desktop
check "desktop entry: desktop-file-validate" shows_nothing desktop-file-validate "$desktop"
for line in Exec=sorvi-kadra99 Icon=sorvi-kadra99 'Categories=Game;ArcadeGame;' \
    StartupWMClass=sorvi_k; do
    check "desktop entry: $line" has_line "$desktop" "$line"
done
check "desktop entry: Keywords" grep -q '^Keywords=.*;' "$desktop"

metainfo=("$share"/metainfo/*.metainfo.xml)
check "metainfo: appstreamcli validate --no-net --strict" \
    appstreamcli validate --no-net --strict --pedantic "${metainfo[0]}"
id=$(basename "${metainfo[0]}" .metainfo.xml)
check "metainfo: the file is named after its id" grep -qF "<id>$id</id>" "${metainfo[0]}"
check "metainfo: launches the desktop entry" \
    grep -qF '<launchable type="desktop-id">sorvi-kadra99.desktop</launchable>' "${metainfo[0]}"
check "metainfo: the release is the package's version" \
    grep -qF "<release version=\"$version\" date=\"" "${metainfo[0]}"
for needed in '<content_rating type="oars-1.1">' '<control>keyboard</control>' \
    '<control>gamepad</control>'; do
    check "metainfo: $needed" grep -qF "$needed" "${metainfo[0]}"
done

for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/sorvi-kadra99.png
    check "icon: $size by $size RGBA PNG" \
        grep -q "PNG image data, $size x $size, 8-bit/color RGBA" <<<"$(file -b "$png" 2>&1)"
done

man=$share/man/man6/sorvi-kadra99.6.gz
# As lintian runs it: the formatted output is dropped, any warning fails.
man_warnings() { LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$man" 2>&1 >/dev/null; }
check "manual page: groff has nothing to say" shows_nothing man_warnings
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$man" 2>/dev/null | col -b >"$work/man.txt"
for section in SCREENS CONTROLS 'WINDOW KEYS' MENUS FILES 'EXIT STATUS'; do
    check "manual page: $section" grep -qx "$section" "$work/man.txt"
done
check "manual page: reads and writes no files" grep -q 'reads no files and writes none' "$work/man.txt"

# Machine-readable copyright: the header, every Files paragraph with its
# Copyright and License, and the text of every licence it names.
copyright_ok() {
    awk '
        BEGIN { RS = ""; FS = "\n" }
        NR == 1 {
            if ($1 !~ /^Format: https:\/\/www\.debian\.org\/doc\/packaging-manuals\/copyright-format\/1\.0\/$/)
                { print "  no Format line"; bad = 1 }
            next
        }
        {
            files = ""; licence = ""; copyright = 0; text = 0
            for (i = 1; i <= NF; i++) {
                if ($i ~ /^Files: /) files = substr($i, 8)
                if ($i ~ /^Copyright: /) copyright = 1
                if ($i ~ /^License: /) licence = substr($i, 10)
                if ($i ~ /^ /) text = 1
            }
            if (files != "") {
                if (!copyright || licence == "") { print "  Files: " files " lacks Copyright or License"; bad = 1 }
                named[licence] = 1
            } else if (licence != "" && text) {
                defined[licence] = 1
            }
        }
        END {
            for (l in named) if (!(l in defined)) { print "  no text for License: " l; bad = 1 }
            exit bad
        }' "$share/doc/sorvi-kadra99/copyright"
}
check "copyright: machine-readable, every licence given" copyright_ok
check "copyright: the program GPL-2.0-or-later" \
    grep -qx 'License: GPL-2+' "$share/doc/sorvi-kadra99/copyright"
check "copyright: the GNU Unifont glyphs" grep -q 'GNU Unifont' "$share/doc/sorvi-kadra99/copyright"

finish_checks
