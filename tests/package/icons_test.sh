#!/usr/bin/env bash
# The built PNG icons as ImageMagick reads them: each size square with an
# alpha channel, the 32 px one the window icon's pixels exactly (black see-
# through), the whole multiples of it that picture blown up by pixels.
#
#   icons_test.sh ICON_BMP ICON_DIR     (ICON_DIR/NxN/sorvi-kadra99.png)
set -uo pipefail

bmp=$1
dir=$2
if ! command -v convert >/dev/null || ! command -v compare >/dev/null; then
    echo "SKIP: ImageMagick is missing (apt-get install imagemagick)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/checks.sh"
same_pixels() { # same_pixels A B: no pixel differs, alpha included
    local differing
    differing=$(compare -metric AE "$1" "$2" null: 2>&1)
    [ "$differing" = 0 ] || echo "  $differing pixels differ"
    [ "$differing" = 0 ]
}

convert "$bmp" -transparent black "PNG32:$work/reference.png"
for size in 16 32 48 64 128 256; do
    png=$dir/${size}x${size}/sorvi-kadra99.png
    check "$size px: a $size by $size RGBA PNG" \
        test "$(identify -format '%m %wx%h %[channels]' "$png" 2>&1)" = "PNG ${size}x${size} srgba"
done
check "32 px: the window icon's pixels" same_pixels "$work/reference.png" "$dir/32x32/sorvi-kadra99.png"
check "32 px: see-through corners, an opaque sky" \
    test "$(convert "$dir/32x32/sorvi-kadra99.png" -format "%[fx:p{0,0}.a] %[fx:p{5,5}.a]" info:)" = "0 1"
for factor in 2 4 8; do
    size=$((32 * factor))
    convert "$work/reference.png" -sample "${size}x${size}" "PNG32:$work/x$factor.png"
    check "$size px: the 32 px picture with each pixel $factor by $factor" \
        same_pixels "$work/x$factor.png" "$dir/${size}x${size}/sorvi-kadra99.png"
done

finish_checks
