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

// Reads every datagram pending on the socket and keeps only the newest. At
// least one read is made, even when nothing is pending.
NewestDatagram drainNewest(QUdpSocket &socket);

#endif // DATAGRAMDRAIN_H
