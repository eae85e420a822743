#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Floods the running program with junk, overlong, bit-flipped and valid
# datagrams from many ports, then checks that it is alive, that its resident
# memory has stayed flat, that a valid datagram still shows and that loss of
# signal still follows it.
#
#   flood_test.sh [--no-memory-bound] [--count N]
#
# Memory is sampled after a warm-up flood of the same mix, once every code
# path and cache has been touched, and again after the main flood. Growth
# beyond MEMORY_BOUND_KIB would mean something kept per datagram or per
# sender.
source "$(dirname "$0")/../x11/lib.sh"
: "${UDPFLOOD:?UDPFLOOD must name the flooder}"

MEMORY_BOUND_KIB=512
memory_bound=1
count=200000
while [[ $# -gt 0 ]]; do
    case $1 in
    --no-memory-bound) memory_bound=0; shift ;;
    --count) count=$2; shift 2 ;;
    *) x11_fail "unknown option $1" ;;
    esac
done

start_quorvane
window=$QUORVANE_WINDOW
calibrate_dashes "$window"

flood() {
    "$UDPFLOOD" --count "$1" --sockets 64 --seed "$2" || x11_fail "the flooder failed"
    is_running "$QUORVANE_PID" || x11_fail "the program died in the flood"
    # Loss of signal after the flood's last valid datagram also proves that
    # the backlog has been worked off.
    wait_until 60 shows "$window" dashes || x11_fail "no dashes within 60 s of the flood"
}

flood 20000 1
rss_before=$(rss_kib "$QUORVANE_PID")
drops_before=$(udp_drops "$QUORVANE_PID" 8201)
flood "$count" 2
rss_after=$(rss_kib "$QUORVANE_PID")
drops=$(($(udp_drops "$QUORVANE_PID" 8201) - drops_before))
growth=$((rss_after - rss_before))
x11_step "of $count datagrams the kernel dropped $drops for a full receive buffer"
x11_step "VmRSS $rss_before KiB -> $rss_after KiB ($growth KiB)"
if [[ $memory_bound -eq 1 && $growth -gt $MEMORY_BOUND_KIB ]]; then
    x11_fail "resident memory grew by $growth KiB in the flood (bound $MEMORY_BOUND_KIB KiB)"
fi

# A valid datagram after the flood shows at once, green; loss of signal comes
# about two seconds later, never before 1.9 s. A screenshot that finished
# less than 1.8 s after sending and already shows dashes is a premature loss,
# however slow the machine: lateness only delays screenshots.
sent=$(now_ms)
"$UDPFLOOD" --single 25 90000 || x11_fail "could not send the datagram"
wait_until 10 shows "$window" timecode || x11_fail "the valid datagram did not show"
while :; do
    seen=$(shown "$window")
    shot=$(now_ms)
    [[ $seen == dashes ]] && break
    [[ $seen == timecode ]] || x11_fail "showed $seen while waiting for loss of signal"
    [[ $((shot - sent)) -lt 15000 ]] || x11_fail "no loss of signal within 15 s"
done
[[ $((shot - sent)) -ge 1800 ]] || x11_fail "loss of signal after only $((shot - sent)) ms"
x11_step "loss of signal seen $((shot - sent)) ms after the last valid datagram"

quit_quorvane ctrl+q
echo "PASS"
