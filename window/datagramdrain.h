// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef DATAGRAMDRAIN_H
#define DATAGRAMDRAIN_H

#include "timecodedatagram.h"

#include <QHostAddress>

class QUdpSocket;

// The newest datagram of a batch: its first 28 bytes, the byte count that
// the read reported (-1 when nothing could be read) and its sender.
struct NewestDatagram
{
    TimecodeBuffer buffer{};
    qint64 bytesRead = -1;
    QHostAddress address;
    quint16 port = 0;
};

// A backlog is far smaller than this with the system's usual receive buffer.
// The bound is for a flood that arrives as fast as it is read: the window
// must go on ticking and painting however hard it is pushed.
constexpr int MostDatagramsPerDrain = 4096;

// Reads the datagrams pending on the socket, at most mostReads of them, and
// keeps only the newest. At least one read is made, even when nothing is
// pending. Whatever is left over makes the socket signal again.
NewestDatagram drainNewest(QUdpSocket &socket, int mostReads = MostDatagramsPerDrain);

#endif // DATAGRAMDRAIN_H
