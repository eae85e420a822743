// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef ARTNETSOURCE_H
#define ARTNETSOURCE_H

#include "artnettimecode.h"
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

    // Binds the port shared with others. False, with errorString(), if the
    // address is not this computer's or the port cannot be had.
    bool open();

    Status next(Clock::time_point until, SourceFrame *frame) override;
    QString waitingText() const override;
    QString errorString() const override { return m_error; }

private:
    bool readOne(SourceFrame *frame);

    QHostAddress m_listen;
    quint16 m_port;
    int m_interfaceIndex = 0; // 0: every interface
    QUdpSocket m_socket;
    ArtNetFollower m_follower;
    bool m_heard = false;
    QString m_error;
};

#endif // ARTNETSOURCE_H
