#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# A second start never takes the stream from a running display: it brings
# the running window to the front and exits 0, and the first display keeps
# its timecode while it starts and after it is gone.
source "$(dirname "$0")/../x11/lib.sh"

start_quorvane
first_pid=$QUORVANE_PID first_window=$QUORVANE_WINDOW
calibrate_dashes "$first_window"

x11_step "the first display shows the stream"
open_sender sender
keep_sending "$sender" 90000 25 0.04 1
wait_until 30 shows "$first_window" timecode || x11_fail "the first display shows no timecode"

x11_step "a second start exits 0 and brings the first window to the front"
xdotool windowminimize "$first_window"
wait_until 20 eval "! is_viewable $first_window" || x11_fail "the first window could not be minimized"
status=0
timeout 30 "$QUORVANE" >>"$X11_ARTIFACTS/second.log" 2>&1 || status=$?
((status == 0)) || x11_fail "the second start ended with status $status"
wait_until 20 is_active "$first_window" || x11_fail "the first window did not come to the front"
[[ $(xdotool search --onlyvisible --name '^Quorvane$' | wc -l) == 1 ]] \
    || x11_fail "more than one Quorvane window"

x11_step "the first display keeps its timecode, longer than a loss of signal takes"
# Back from minimized, the window is black until its first paint.
wait_until 30 shows "$first_window" timecode || x11_fail "the first display shows no timecode"
for _ in $(seq 30); do
    shows "$first_window" timecode || x11_fail "the first display lost its timecode"
    sleep 0.1
done
quit_quorvane ctrl+q "$first_pid" "$first_window"
echo PASS
