#!/usr/bin/env bash
# Checks a built sorvi-kadra99 .deb as Debian and the desktops read it:
# lintian without errors or warnings (it also runs the manual page through
# groff and checks the icons' sizes and the desktop entry's Exec), Depends
# as dpkg-shlibdeps computes it, the files it holds, the desktop entry, the
# metainfo and the machine-readable copyright.
#
#   check_package.sh PACKAGE.deb
set -uo pipefail

deb=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../support/checks.sh"
tree=$work/tree
dpkg-deb -x "$deb" "$tree"
share=$tree/usr/share

check "lintian: no error, no warning" lintian --display-info --pedantic --fail-on error,warning "$deb"
mkdir -p "$work/shlibs/debian"
: >"$work/shlibs/debian/control"
computed=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$tree/usr/games/sorvi-kadra99" 2>/dev/null)
check "Depends as dpkg-shlibdeps computes it" test "shlibs:Depends=$(dpkg-deb -f "$deb" Depends)" = "$computed"

files=(usr/games/sorvi-kadra99 usr/share/applications/sorvi-kadra99.desktop
    usr/share/metainfo/org.sorvikadra99.sorvi_kadra99.metainfo.xml usr/share/man/man6/sorvi-kadra99.6.gz
    usr/share/doc/sorvi-kadra99/copyright usr/share/doc/sorvi-kadra99/changelog.gz)
for size in 16 32 48 64 128 256; do # lintian checks each one's size
    files+=("usr/share/icons/hicolor/${size}x$size/apps/sorvi-kadra99.png")
done
check "the program, desktop entry, icons, metainfo, manual page, copyright, changelog; nothing else" \
    diff <(printf '%s\n' "${files[@]}" | sort) <(cd "$tree" && find . -type f | cut -c3- | sort)

desktop=$share/applications/sorvi-kadra99.desktop
said=$(desktop-file-validate "$desktop" 2>&1)
check "desktop entry: desktop-file-validate finds nothing${said:+: $said}" test -z "$said"
check "desktop entry: Icon names the icons (lintian checks Exec)" \
    test -f "$share/icons/hicolor/48x48/apps/$(sed -n 's/^Icon=//p' "$desktop").png"
check "metainfo: appstreamcli validate-tree --no-net (its id, its desktop entry)" \
    appstreamcli validate-tree --no-net --strict --pedantic "$tree"

# Every Files paragraph has Copyright and License, and every licence named has its text.
copyright_ok() {
    awk 'BEGIN { RS = ""; FS = "\n"; format = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" }
        NR == 1 { if ($1 != format) bad = "no Format line"; next }
        { licence = ""; for (i = 1; i <= NF; i++) if ($i ~ /^License: /) licence = substr($i, 10) }
        /^Files: / { if (licence == "" || !/\nCopyright: /) bad = $1 " lacks Copyright or License"; named[licence] }
        !/^Files: / && /\n / { given[licence] }
        END { for (l in named) if (!(l in given)) bad = "no text for License: " l; if (bad) print "  " bad; exit bad != "" }' \
        "$share/doc/sorvi-kadra99/copyright"
}
check "copyright: machine-readable, every licence's text given" copyright_ok

finish_checks
