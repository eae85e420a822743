// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef TIMECODESENDER_H
#define TIMECODESENDER_H

#include "timecodesource.h"

#include <QHostAddress>
#include <QString>
#include <QUdpSocket>

#include <cstdint>
#include <optional>

// One UDP socket that sends timecode datagrams to one target, always from
// the same local port, so that a receiver sees a single sender.
class TimecodeSender
{
public:
    TimecodeSender(const QHostAddress &target, quint16 port);

    // Binds the socket, to sourcePort if given, and sets SO_BROADCAST to
    // allowBroadcast. False, with errorString(), if either fails.
    bool open(std::optional<quint16> sourcePort, bool allowBroadcast);

    // Sends the frame's datagram. False, with the system's reason in
    // errorString(), if the system refused it.
    bool send(const SourceFrame &frame);

    QString errorString() const { return m_error; }

    // "127.0.0.1:8201 from port 40123", for people watching.
    QString route() const;

private:
    bool setBroadcastAllowed(bool allowed);

    QUdpSocket m_socket;
    QHostAddress m_target;
    quint16 m_port;
    QString m_error;
};

#endif // TIMECODESENDER_H
