#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Another program holds UDP port 8201 and does not share it. The display
# cannot bind, but it must open its window all the same, show green dashes,
# keep its event loop and its tick running, ignore the datagrams that go to
# the other program, and close cleanly.
source "$(dirname "$0")/lib.sh"
: "${UDPHOLD:?UDPHOLD must name the port holder}"

"$UDPHOLD" 8201 >"$artifacts/holder.log" 2>&1 &
holder_pid=$!
started_pids+=("$holder_pid")
for _ in $(seq 100); do
    grep -q bound "$artifacts/holder.log" && break
    kill -0 "$holder_pid" 2>/dev/null || fail "the holder could not bind port 8201: $(cat "$artifacts/holder.log")"
    sleep 0.1
done
note "port 8201 held by pid $holder_pid"

start_quorvane display
calibrate_dashes "$display_window"
holds_port "$display_pid" 8201 && fail "the program shares a port that was not offered for sharing"
holds_port "$holder_pid" 8201 || fail "the holder lost the port"

# Every tick wakes the program. An idle event loop without its timer would
# hardly be switched in at all; 100 ms ticks give about ten wake-ups a second.
switches() {
    awk '/^voluntary_ctxt_switches:/ { print $2 }' "/proc/$display_pid/status"
}
first=$(switches)
for _ in $(seq 300); do
    [[ $(($(switches) - first)) -ge 20 ]] && break
    sleep 0.1
done
woken=$(($(switches) - first))
[[ $woken -ge 20 ]] || fail "the program woke only $woken times in 30 s: is its tick running?"
note "the program woke $woken times while idle"

# Datagrams for the port reach the holder, not the display.
"$UDPFLOOD" --single 25 90000
"$UDPFLOOD" --count 1000 --seed 3
sleep 0.5
[[ $(state "$display_window") == dashes ]] || fail "the display changed although it has no socket"

# The event loop answers: the frame-rate label appears on "I".
activate "$display_window"
xdotool key i
reacted=0
for _ in $(seq 50); do
    timeout 10 import -window "$display_window" "$artifacts/label.png" || true
    if ! compare -metric AE "$artifacts/dashes.png" "$artifacts/label.png" null: 2>/dev/null; then
        reacted=1
        break
    fi
    sleep 0.1
done
[[ $reacted -eq 1 ]] || fail "the window did not react to a key"

close_quorvane "$display_pid" "$display_window"
echo "PASS"
