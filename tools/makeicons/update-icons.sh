#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Makes every picture file under res/ from makeicons' drawings: the desktop
# icons as drawn, the About box's 96 px picture and the Windows icon's
# small images reduced to a palette by ImageMagick, and the Windows icon
# put together by icotool, its 256 px image stored as PNG. The same
# drawings give the same bytes, so the committed files change only where
# the picture does.
#
#   update-icons.sh MAKEICONS OUTPUT-FOLDER
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 MAKEICONS OUTPUT-FOLDER" >&2; exit 2; }
makeicons=$1
out=$2
for tool in convert icotool; do
    command -v "$tool" >/dev/null || { echo "update-icons: $tool is not installed" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$makeicons" "$work"

# reduce SIZE COLOURS: SIZE.png as an 8-bit palette PNG of at most COLOURS
# entries. Pixels less than half opaque become transparent black, the
# others opaque, so that one tRNS entry says it all and the icon's mask
# lets only black through. -strip leaves out the time stamps.
reduce() {
    convert "$work/$1.png" -channel A -threshold 50% +channel \
        -background black -alpha background +dither -colors "$2" -strip \
        "PNG8:$work/$1-$2.png"
    echo "$work/$1-$2.png"
}

mkdir -p "$work/res"
cp "$(reduce 96 256)" "$work/res/Quorvane.png"
icotool --create --output="$work/res/Quorvane.ico" \
    --bit-depth=4 "$(reduce 48 16)" "$(reduce 32 16)" "$(reduce 16 16)" \
    --bit-depth=8 "$(reduce 48 256)" "$(reduce 32 256)" "$(reduce 16 256)" \
    --raw="$work/256.png" \
    --bit-depth=32 "$work/48.png" "$work/32.png" "$work/16.png"
for size in 16 24 32 48 64 128 256; do
    apps=$work/res/linux/icons/hicolor/${size}x$size/apps
    mkdir -p "$apps"
    cp "$work/$size.png" "$apps/org.quorvane.Quorvane.png"
done

mkdir -p "$out"
cp -r "$work/res/." "$out/"
