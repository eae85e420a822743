#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# The picture files in the layouts that their readers expect, as pngcheck,
# icotool and ImageMagick's identify read them: the About box's 96 px
# picture is an 8-bit palette PNG whose only transparent entry is the first
# (one tRNS entry), the Windows icon has its ten images in the order, sizes
# and depths that Windows picks from, the 256 px one stored as PNG, and the
# desktop icons are RGBA PNGs of their folders' sizes.
# Usage: icons_test.sh RES-FOLDER
set -uo pipefail
res=$1
for tool in pngcheck icotool identify; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

png=$(pngcheck -v "$res/Quorvane.png") || fail "pngcheck rejects Quorvane.png: $png"
chunks=$(sed -n 's/^ *chunk \([A-Za-z]*\) .*/\1/p' <<<"$png" | tr '\n' ' ')
[[ $chunks == "IHDR PLTE tRNS IDAT IEND " ]] || fail "Quorvane.png has the chunks $chunks"
grep -q '96 x 96 image, 8-bit palette, non-interlaced' <<<"$png" \
    || fail "Quorvane.png is not a 96x96 8-bit palette image"
grep -q 'chunk tRNS .*: 1 transparency entry' <<<"$png" \
    || fail "Quorvane.png has more than one transparent palette entry"

expected_ico=$(
    index=1
    for image in 48:4:16 32:4:16 16:4:16 48:8:256 32:8:256 16:8:256 256:32:0 48:32:0 32:32:0 16:32:0; do
        IFS=: read -r size depth palette <<<"$image"
        echo "--icon --index=$index --width=$size --height=$size --bit-depth=$depth --palette-size=$palette"
        index=$((index + 1))
    done
)
ico=$(icotool -l "$res/Quorvane.ico" 2>&1) || fail "icotool rejects Quorvane.ico: $ico"
[[ $ico == "$expected_ico" ]] || fail "Quorvane.ico holds"$'\n'"$ico"
stored=$(identify -format '%m ' "$res/Quorvane.ico")
[[ $stored == "ICO ICO ICO ICO ICO ICO PNG ICO ICO ICO " ]] \
    || fail "Quorvane.ico stores its images as $stored; only the 256 px one should be PNG"

for size in 16 24 32 48 64 128 256; do
    icon=$res/linux/icons/hicolor/${size}x$size/apps/org.quorvane.Quorvane.png
    pngcheck "$icon" | grep -q "(${size}x$size, 32-bit RGB+alpha, non-interlaced" \
        || fail "$icon: $(pngcheck "$icon")"
done

((failed == 0)) && echo "PASS"
exit $failed
