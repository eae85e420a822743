#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# The window as it opens: its title and size, the green dashes on black, its
# minimum size, and the two ways of ending the program (the window manager's
# close and Ctrl+Q), both with exit code 0.
source "$(dirname "$0")/lib.sh"

x11_step "opens a 400x200 window titled Quorvane showing green dashes"
start_quorvane
read -r _ _ width height < <(geometry "$QUORVANE_WINDOW")
x11_check "client area is ${width}x${height}, not 400x200" [ "$width.$height" = 400.200 ]

shot=$X11_ARTIFACTS/dashes.png
screenshot "$QUORVANE_WINDOW" "$shot"
pixels=$((width * height))
green=$(count_colour "$shot" 0 255 0)
black=$(count_colour "$shot" 0 0 0)
red=$(count_colour "$shot" 255 0 0)
echo "green $green, black $black, red $red of $pixels pixels"
# The dashes, colons and comma of "--:--:--,--" cover a few percent of the
# window; black is the rest, apart from the digits' smoothed edges.
x11_check "too few green pixels ($green)" [ "$green" -gt $((pixels / 50)) ]
x11_check "black is not dominant ($black)" [ "$black" -gt $((pixels * 3 / 4)) ]
x11_check "red pixels without a sender ($red)" [ "$red" -eq 0 ]
# Nothing but green shades on black: no other colour anywhere.
others=$(convert "$shot" -alpha off -depth 8 -format %c histogram:info:- | tr -d ' ' \
    | grep -cv ':(0,[0-9]*,0)' || true)
x11_check "colours other than green and black: $others" [ "$others" -eq 0 ]

x11_step "cannot be made smaller than 40x20"
xdotool windowsize "$QUORVANE_WINDOW" 10 10
small() {
    local w h
    read -r _ _ w h < <(geometry "$QUORVANE_WINDOW")
    [[ $w -lt 400 || $h -lt 200 ]]
}
wait_until 20 small || x11_fail "the window did not shrink at all"
sleep 0.5 # let a late correction by the window manager or the toolkit land
read -r _ _ width height < <(geometry "$QUORVANE_WINDOW")
echo "after asking for 10x10: ${width}x${height}"
x11_check "shrunk to ${width}x${height}" [ "$width" -ge 40 -a "$height" -ge 20 ]
x11_check "did not shrink to its minimum: ${width}x${height}" \
    [ "$width" -le 60 -a "$height" -le 40 ]

x11_step "closing through the window manager ends the program with exit code 0"
quit_quorvane alt+F4 # openbox's own binding for Close

x11_step "Ctrl+Q ends the program with exit code 0"
start_quorvane
quit_quorvane ctrl+q

echo "PASS"
