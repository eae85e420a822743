#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Another program holds UDP port 8201 and does not share it. The display
# cannot bind, but it must open its window all the same, show green dashes,
# keep its event loop and its tick running, ignore the datagrams that go to
# the other program, and close cleanly.
source "$(dirname "$0")/../x11/lib.sh"
: "${UDPFLOOD:?UDPFLOOD must name the flooder}"
: "${UDPHOLD:?UDPHOLD must name the port holder}"

holder_log=$X11_ARTIFACTS/holder.log
"$UDPHOLD" 8201 >"$holder_log" 2>&1 &
holder_pid=$!
X11_BACKGROUND+=("$holder_pid")
holding() {
    is_running "$holder_pid" || x11_fail "the holder could not bind port 8201: $(cat "$holder_log")"
    grep -q bound "$holder_log"
}
wait_until 10 holding || x11_fail "the holder did not bind port 8201 in time"
x11_step "port 8201 held by pid $holder_pid"

start_quorvane
window=$QUORVANE_WINDOW
calibrate_dashes "$window"
holds_port "$QUORVANE_PID" 8201 && x11_fail "the program shares a port that was not offered for sharing"
holds_port "$holder_pid" 8201 || x11_fail "the holder lost the port"

# Every tick wakes the program. An idle event loop without its timer would
# hardly be switched in at all; 100 ms ticks give about ten wake-ups a second.
switches() {
    awk '/^voluntary_ctxt_switches:/ { print $2 }' "/proc/$QUORVANE_PID/status"
}
first=$(switches)
wait_until 30 eval '(($(switches) - first >= 20))' || true
woken=$(($(switches) - first))
((woken >= 20)) || x11_fail "the program woke only $woken times in 30 s: is its tick running?"
x11_step "the program woke $woken times while idle"

# Datagrams for the port reach the holder, not the display.
"$UDPFLOOD" --single 25 90000
"$UDPFLOOD" --count 1000 --seed 3
sleep 0.5
shows "$window" dashes || x11_fail "the display changed although it has no socket"

# The event loop answers: the frame-rate label appears on "I".
activate "$window"
press i
wait_until 10 shows_other_picture "$window" "$X11_ARTIFACTS/dashes.png" \
    || x11_fail "the window did not react to a key"

quit_quorvane ctrl+q
echo "PASS"
