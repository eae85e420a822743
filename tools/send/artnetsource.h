// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef ARTNETSOURCE_H
#define ARTNETSOURCE_H

#include "artnettimecode.h"
#include "sourcefactory.h"
#include "timecodesource.h"

#include <QHostAddress>
#include <QUdpSocket>

// ArtTimeCode packets from a lighting network, read on UDP 6454 beside any
// other Art-Net program on this computer. It only listens: nothing is ever
// sent to the Art-Net network.
class ArtNetSource : public TimecodeSource
{
public:
    // listen: the address of the interface to hear, or the any-address for
    // all of them.
    explicit ArtNetSource(const QHostAddress &listen, quint16 port = ArtNetPort);

    // Binds the port shared with others. An address that is not this
    // computer's is the user's mistake (exit status 2), a port that cannot
    // be had a failure of the system (1).
    bool open(SourceError *error);

    Status next(Clock::time_point until, SourceFrame *frame) override;
    QString waitingText() const override;

private:
    bool readOne(SourceFrame *frame);

    QHostAddress m_listen;
    quint16 m_port;
    int m_interfaceIndex = 0; // 0: every interface
    QUdpSocket m_socket;
    ArtNetFollower m_follower;
    bool m_heard = false;
};

#endif // ARTNETSOURCE_H
