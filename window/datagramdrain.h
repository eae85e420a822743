// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef DATAGRAMDRAIN_H
#define DATAGRAMDRAIN_H

#include "timecodedatagram.h"

#include <QHostAddress>

#include <optional>

class QUdpSocket;

// A datagram that passed the acceptance rules, and who sent it.
struct ReceivedTimecode
{
    Timecode timecode;
    QHostAddress address;
    quint16 port = 0;
};

// A backlog is far smaller than this with the system's usual receive buffer.
// The bound is for a flood that arrives as fast as it is read: the window
// must go on ticking and painting however hard it is pushed.
constexpr int MostDatagramsPerDrain = 4096;

// Reads the datagrams pending on the socket, at most mostReads of them,
// judges each one and returns the newest that passes, with its sender, or
// nothing if none did. Junk that lands right behind a valid datagram must not
// throw it away: anyone on the network can send junk. At least one read is
// made, even when nothing is pending. Whatever is left over makes the socket
// signal again.
std::optional<ReceivedTimecode> drainNewestValid(QUdpSocket &socket,
                                                 int mostReads = MostDatagramsPerDrain);

#endif // DATAGRAMDRAIN_H
