#!/usr/bin/env bash
# The icon tool against ImageMagick's reading of the art (black see-through):
# each built PNG the art at its size by nearest pixel; the .ico the art at 32
# and 48 px and at 16 px of 2 by 2 means; the art in the other layouts the
# bitmap reader knows read alike; broken bitmaps refused with the reason.
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
"$tool" "$bmp" --ico "$work/icon.ico"
check "ico 16 px: 2 by 2 means of the art" same_pixels "$work/icon.ico[0]" "$bmp" -scale 16x16
check "ico 32 px: the art" same_pixels "$work/icon.ico[1]" "$bmp"
check "ico 48 px: the art by nearest pixel" same_pixels "$work/icon.ico[2]" "$bmp" -filter point -resize 48x48

# The reader on the other layouts it knows, each against ImageMagick: 31 px
# wide, so rows are padded; 8 and 32 bits after the newer 124-byte header.
cut=(convert "$bmp" -crop 31x31+0+0 +repage)
"${cut[@]}" -type Bilevel "BMP3:$work/1.bmp"
"${cut[@]}" "BMP3:$work/4.bmp"
"${cut[@]}" -fill '#123456' -draw 'point 0,0' -type Palette -compress none "BMP:$work/8.bmp" # 17 colours
"${cut[@]}" -type TrueColor "BMP3:$work/24.bmp"
"${cut[@]}" -alpha on "BMP:$work/32.bmp"
patch "$work/32.bmp" 30 '\0' # its bit fields are in the usual order: plain 32 bits
"${cut[@]}" -flip "BMP3:$work/top-down.bmp"
patch "$work/top-down.bmp" 22 '\xe1\xff\xff\xff' # height -31
reads() { # reads NAME BITS REFERENCE: NAME.bmp has BITS bits and makes REFERENCE.bmp's pixels
    [ "$(od -An -tu2 -j28 -N2 "$work/$1.bmp")" -eq "$2" ] || { echo "  not $2 bits"; return 1; }
    "$tool" "$work/$1.bmp" --png 31 "$work/$1.png" && same_pixels "$work/$1.png" "$work/$3.bmp"
}
for case in '1 1 1' '4 4 4' '8 8 8' '24 24 4' '32 32 4' 'top-down 4 4'; do
    read -r name bits reference <<<"$case"
    check "bitmap, $name: read as ImageMagick reads it" reads "$name" "$bits" "$reference"
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
20 bytes|not a bitmap file|0||20
no BM|not a bitmap file|0|X|
a byte short|the pixel rows are cut short|0||-1
RLE|compressed bitmaps are not supported|30|\x02|
16 bits|unsupported bits per pixel|28|\x10|
0 wide|bad width or height|18|\0\0\0\0|
2^31 - 1 square|bad width or height|18|\xff\xff\xff\x7f\xff\xff\xff\x7f|
4000 high|the pixel rows are cut short|22|\xa0\x0f|
rows 4 GiB on|the pixel rows are cut short|10|\xf0\xff\xff\xff|
a 4 GiB header|unknown bitmap header|14|\xf0\xff\xff\xff|
15 colours named|a pixel names a colour beyond the palette|46|\x0f|
EOF2

finish_checks
