#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Redraws docs/screenshot.png: the real window, frame and all, as a private
# Xvfb with openbox shows it, at 640x240 and fed 1:00:02,11 at 25 fps by
# quorvane-send.
#
#   scripts/screenshot.sh [BUILD_FOLDER]    (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [[ ${1:-} != --inside ]]; then
    source scripts/deps.sh
    quorvane_install "${QUORVANE_BUILD_PACKAGES[@]}" "${QUORVANE_TEST_PACKAGES[@]}"
    build=${1:-build}
    [[ -f $build/CMakeCache.txt ]] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
    cmake --build "$build" --target quorvane quorvane-send
    export QUORVANE=$root/$build/app/quorvane QUORVANE_SEND=$root/$build/tools/send/quorvane-send
    exec tests/x11/xsession.sh --size 800x400 "$0" --inside
fi

source tests/x11/lib.sh
start_quorvane
window=$QUORVANE_WINDOW
xdotool windowsize "$window" 640 240
wait_until 30 eval '[[ $(geometry "$window") == *" 640 240" ]]' \
    || x11_fail "the window did not take the size 640x240"
dashes=$X11_ARTIFACTS/dashes.png
wait_until 30 shows_colour "$window" 0 255 0 1000 || x11_fail "no dashes at 640x240"
screenshot "$window" "$dashes"

# The picture stands still on 1:00:02,11, in green.
keep_sending_frame 48202 25 01:00:02,11
activate "$window"
wait_until 30 shows_other_picture "$window" "$dashes" || x11_fail "no timecode arrived"
wait_until 30 shows_green "$window" || x11_fail "the timecode did not settle in green"

# The frame is the window manager's: take the client area and its borders.
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
read -r x y width height < <(geometry "$window")
import -window root -crop "$((width + left + right))x$((height + top + bottom))+$((x - left))+$((y - top))" \
    +repage "$X11_ARTIFACTS/window.png"
convert "$X11_ARTIFACTS/window.png" -strip "$root/docs/screenshot.png"
echo "wrote docs/screenshot.png ($((width + left + right))x$((height + top + bottom)))"
