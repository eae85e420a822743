#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# The display listens and never sends. The program runs under strace from its
# first instruction to its exit, through datagrams, keys, the About box and
# the context menu. strace -yy names the kind of socket behind every file
# descriptor (UDP, TCP, UNIX, ...), so every call that could put bytes on the
# network - sendto, sendmsg, sendmmsg, write, writev, pwrite - can be judged
# by the descriptor it writes to, and a connect by the address family it
# names. Writes to the X server (UNIX sockets) are expected; any write to an
# IP socket, or any connect to an IP address, fails the test.
#
# Two controls make sure that silence is not blindness: the log must show the
# program receiving 28-byte datagrams on its UDP socket (so IP sockets are
# recognised), and writing to the X server (so writes are traced at all).
source "$(dirname "$0")/../x11/lib.sh"
: "${UDPFLOOD:?UDPFLOOD must name the flooder}"

strace -o /dev/null true 2>/dev/null || x11_fail "strace cannot trace here"
log=$X11_ARTIFACTS/strace.log
start_quorvane strace -f -yy -qq -o "$log" \
    -e trace=socket,connect,sendto,sendmsg,sendmmsg,write,writev,pwrite64,pwritev,pwritev2,recvfrom,recvmsg,recvmmsg

activate "$QUORVANE_WINDOW"
"$UDPFLOOD" --count 2000 --seed 6
for count in 0 1 2 3; do
    "$UDPFLOOD" --single 25 $((90000 + count))
    sleep 0.1
done
# Every key the window knows, the About box and the context menu.
for keys in i d F11 Escape ctrl+t ctrl+t f Escape alt+Return Escape ctrl+f Escape D I; do
    press "$keys"
    sleep 0.2
done
popup key --clearmodifiers ctrl+i
popup mousemove --window "$QUORVANE_WINDOW" 100 100 click 3
"$UDPFLOOD" --single 30 1
sleep 0.3
quit_quorvane ctrl+q

ip_socket='<(UDP|TCP|RAW|UDPLITE|SCTP|DCCP)(v6)?:'
sends=$(grep -E "(sendto|sendmsg|sendmmsg|write|writev|pwrite64|pwritev2?)\\([0-9]+$ip_socket" "$log" || true)
connects=$(grep -E 'connect\([0-9]+<[^>]*>, \{sa_family=AF_INET6?' "$log" || true)
[[ -z $sends ]] || x11_fail "the program sent on an IP socket:"$'\n'"$sends"
[[ -z $connects ]] || x11_fail "the program connected to an IP address:"$'\n'"$connects"

received=$(grep -cE '(recvfrom|recvmsg|recvmmsg)\([0-9]+<UDP:\[0\.0\.0\.0:8201\]>.*\) = 28$' "$log" || true)
x_writes=$(grep -cE '(sendmsg|write|writev)\([0-9]+<UNIX' "$log" || true)
[[ $received -gt 0 ]] || x11_fail "the trace shows no datagram received: the trace cannot be trusted"
[[ $x_writes -gt 0 ]] || x11_fail "the trace shows no write to the X server: the trace cannot be trusted"
x11_step "traced $received datagrams received, $x_writes writes to UNIX sockets, no IP send"
echo "PASS"
