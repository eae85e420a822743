#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Two displays on one host: both bind the port with address reuse, both open
# their windows and keep running, whichever of them the kernel hands the
# datagrams to, and both close cleanly.
source "$(dirname "$0")/../x11/lib.sh"
: "${UDPFLOOD:?UDPFLOOD must name the flooder}"

start_quorvane
first_pid=$QUORVANE_PID first_window=$QUORVANE_WINDOW
start_quorvane
second_pid=$QUORVANE_PID second_window=$QUORVANE_WINDOW
[[ $first_window != "$second_window" ]] || x11_fail "both programs report the same window"
# Side by side, so that each screenshot shows only its own window.
timeout 10 xdotool windowmove --sync "$first_window" 20 40 || true
timeout 10 xdotool windowmove --sync "$second_window" 620 540 || true
calibrate_dashes "$first_window"
shows "$second_window" dashes || x11_fail "the second display does not show dashes"

holds_port "$first_pid" 8201 || x11_fail "the first display holds no socket on port 8201"
holds_port "$second_pid" 8201 || x11_fail "the second display holds no socket on port 8201"

"$UDPFLOOD" --count 20000 --seed 4
"$UDPFLOOD" --single 30 108000
sleep 1
for name in first second; do
    pid_var=${name}_pid window_var=${name}_window
    is_running "${!pid_var}" || x11_fail "the $name display died"
    is_viewable "${!window_var}" || x11_fail "the $name display's window is not mapped"
done
# Linux hands a unicast datagram to one of the sockets that share the port;
# whichever it is must show it.
first_state=$(shown "$first_window")
second_state=$(shown "$second_window")
x11_step "after a valid datagram: first shows $first_state, second shows $second_state"
[[ $first_state == timecode || $second_state == timecode ]] \
    || x11_fail "neither display shows the timecode"

quit_quorvane ctrl+q "$second_pid" "$second_window"
is_viewable "$first_window" || x11_fail "closing the second display took the first one's window"
quit_quorvane ctrl+q "$first_pid" "$first_window"
echo "PASS"
