#!/usr/bin/env bash
# The icon tool against ImageMagick's reading of the art (black see-through):
# each built PNG and the web page's two the art at its size by nearest
# pixel; the .ico the art at 32 to 256 px (PNG from 128) and at 16 px of 2 by
# 2 means; broken bitmaps refused.
#
#   icons_test.sh ICON_BMP ICON_DIR SORVI_ICON     (ICON_DIR/NxN/sorvi-kadra99.png)
set -uo pipefail

bmp=$1
dir=$2
tool=$3
if ! command -v convert >/dev/null || ! command -v compare >/dev/null; then
    echo "SKIP: ImageMagick is missing (apt-get install imagemagick)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/checks.sh"
same_pixels() { # same_pixels IMAGE BMP [CONVERT_OPTION...]: IMAGE is BMP so converted, alpha included
    local differing
    convert "$2" -transparent black "${@:3}" "PNG32:$work/expected.png"
    differing=$(compare -metric AE "$work/expected.png" "$1" null: 2>&1)
    [ "$differing" = 0 ] || echo "  $differing pixels differ"
    [ "$differing" = 0 ]
}
patch() { printf '%b' "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; } # patch FILE AT BYTES

for size in 16 32 48 64 128 256; do
    check "$size px PNG: the art by nearest pixel" \
        same_pixels "$dir/${size}x$size/sorvi-kadra99.png" "$bmp" -filter point -resize "${size}x$size"
done
# The web page's icons, large enough that the writer's compression must
# hold (in stored blocks the 512 px one would weigh over 1 MiB).
web_icon() { # web_icon SIZE: the tool's PNG at SIZE is the art by nearest pixel, under 16 KiB
    "$tool" "$bmp" --png "$1" "$work/$1.png" &&
        same_pixels "$work/$1.png" "$bmp" -filter point -resize "$1x$1" &&
        [ "$(stat -c %s "$work/$1.png")" -lt 16384 ]
}
for size in 192 512; do
    check "$size px PNG for the web page: the art by nearest pixel, under 16 KiB" web_icon "$size"
done
"$tool" "$bmp" --ico "$work/icon.ico"
check "ico 16 px: 2 by 2 means of the art" same_pixels "$work/icon.ico[0]" "$bmp" -scale 16x16
check "ico 32 px: the art" same_pixels "$work/icon.ico[1]" "$bmp"
index=2
for size in 48 64 128 256; do
    check "ico $size px: the art by nearest pixel" \
        same_pixels "$work/icon.ico[$index]" "$bmp" -filter point -resize "${size}x$size"
    index=$((index + 1))
done

# Broken art refused with the reason, without reading past the end.
refuses() { # refuses REASON AT BYTES [SIZE]: the art with BYTES at AT, cut to SIZE
    cp "$bmp" "$work/bad.bmp"
    patch "$work/bad.bmp" "$2" "$3"
    [ -z "${4:-}" ] || truncate -s "$4" "$work/bad.bmp"
    local said
    said=$("$tool" "$work/bad.bmp" --png 16 "$work/bad.png" 2>&1)
    [ "$said" = "sorvi-icon: $work/bad.bmp: $1" ] || { echo "  said: ${said:-nothing}"; return 1; }
}
while IFS='|' read -r what reason at bytes size; do
    check "refused, $what: $reason" refuses "$reason" "$at" "$bytes" "$size"
done <<'EOF2'
20 bytes|not a 32 by 32 palette bitmap|0||20
no BM|not a 32 by 32 palette bitmap|0|X|
a byte short|not a 32 by 32 palette bitmap|0||-1
RLE|not a 32 by 32 palette bitmap|30|\x02|
16 bits|not a 32 by 32 palette bitmap|28|\x10|
31 wide|not a 32 by 32 palette bitmap|18|\x1f|
a 4 GiB header|not a 32 by 32 palette bitmap|14|\xf0\xff\xff\xff|
EOF2

finish_checks
