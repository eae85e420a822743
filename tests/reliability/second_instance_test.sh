#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# A second start never takes the stream from a running display: it brings
# the running window to the front and exits 0, and the first display keeps
# its timecode while it starts and after it is gone.
X11_ARTIFACTS=${X11_ARTIFACTS:-${RELIABILITY_ARTIFACTS:-}}
source "$(dirname "$0")/../x11/lib.sh"

# green_pixels WINDOW: the pure green pixels of a fresh screenshot.
green_pixels() {
    screenshot "$1" "$X11_ARTIFACTS/last.png"
    count_colour "$X11_ARTIFACTS/last.png" 0 255 0
}
# Every digit has more ink than a dash.
shows_timecode() { (($(green_pixels "$1") > dashes * 3 / 2)); }

start_quorvane
first_pid=$QUORVANE_PID
first_window=$QUORVANE_WINDOW
dashes=$(green_pixels "$first_window")

x11_step "the first display shows the stream"
open_sender sender
keep_sending "$sender" 90000 25 0.04 1
wait_until 30 shows_timecode "$first_window" || x11_fail "the first display shows no timecode"

x11_step "a second start exits 0 and brings the first window to the front"
xdotool windowminimize "$first_window"
wait_until 20 eval "! xwininfo -id $first_window | grep -q IsViewable" \
    || x11_fail "the first window could not be minimized"
status=0
timeout 30 "$QUORVANE" >>"$X11_ARTIFACTS/second.log" 2>&1 || status=$?
((status == 0)) || x11_fail "the second start ended with status $status"
wait_until 20 is_active "$first_window" || x11_fail "the first window did not come to the front"
[[ $(xdotool search --onlyvisible --name '^Quorvane$' | wc -l) == 1 ]] \
    || x11_fail "more than one Quorvane window"

x11_step "the first display keeps its timecode, longer than a loss of signal takes"
for _ in $(seq 30); do
    shows_timecode "$first_window" || x11_fail "the first display lost its timecode"
    sleep 0.1
done

x11_step "Ctrl+Q still ends the first display with status 0"
activate "$first_window"
press ctrl+q
wait_quorvane_exit
((QUORVANE_STATUS == 0)) || x11_fail "the first display ended with status $QUORVANE_STATUS"
echo PASS
