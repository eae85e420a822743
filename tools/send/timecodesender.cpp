// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodesender.h"

#include "timecodedatagram.h"

#include <QNetworkProxy>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#endif

TimecodeSender::TimecodeSender(const QHostAddress &target, quint16 port)
    : m_target(target), m_port(port)
{}

bool TimecodeSender::open(std::optional<quint16> sourcePort, bool allowBroadcast)
{
    // Straight onto the network, whatever proxy the environment names.
    m_socket.setProxy(QNetworkProxy::NoProxy);
    // Not shared: with address reuse the socket could sit on a port that a
    // receiver on this machine listens on, and take its datagrams away.
    if (!m_socket.bind(QHostAddress(QHostAddress::AnyIPv4), sourcePort.value_or(0),
                       QAbstractSocket::DontShareAddress)) {
        m_error = sourcePort
                      ? QStringLiteral("cannot bind source port %1: %2")
                            .arg(*sourcePort)
                            .arg(m_socket.errorString())
                      : QStringLiteral("cannot open a UDP socket: %1").arg(m_socket.errorString());
        return false;
    }
    return setBroadcastAllowed(allowBroadcast);
}

// Qt allows broadcast on every UDP socket. Clearing the option when it was
// not asked for lets the system refuse a broadcast address that slipped
// past our own check, such as one that resolved from a name.
bool TimecodeSender::setBroadcastAllowed(bool allowed)
{
    const int value = allowed ? 1 : 0;
#ifdef Q_OS_WIN
    const int result = ::setsockopt(SOCKET(m_socket.socketDescriptor()), SOL_SOCKET, SO_BROADCAST,
                                    reinterpret_cast<const char *>(&value), sizeof value);
#else
    const int result = ::setsockopt(int(m_socket.socketDescriptor()), SOL_SOCKET, SO_BROADCAST,
                                    &value, sizeof value);
#endif
    if (result != 0) {
        m_error = QStringLiteral("cannot set the broadcast option of the socket");
        return false;
    }
    return true;
}

bool TimecodeSender::send(const SourceFrame &frame)
{
    const TimecodeBuffer buffer =
        encodeTimecodeDatagram(Timecode{frame.frameRate, frame.frameCount}, 0, frame.flagWord);
#ifdef Q_OS_WIN
    const qint64 written = m_socket.writeDatagram(reinterpret_cast<const char *>(buffer.data()),
                                                  qint64(buffer.size()), m_target, m_port);
    const QString reason = m_socket.errorString();
#else
    // Straight to the system, because Qt words most failures as "Unable to
    // send a message", and the person at the terminal needs to read "Network
    // is unreachable" or "No buffer space available".
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_port);
    address.sin_addr.s_addr = htonl(m_target.toIPv4Address());
    const qint64 written =
        ::sendto(int(m_socket.socketDescriptor()), buffer.data(), buffer.size(), 0,
                 reinterpret_cast<const sockaddr *>(&address), sizeof address);
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
#endif
    if (written != qint64(buffer.size())) {
        m_error = QStringLiteral("cannot send to %1:%2: %3")
                      .arg(m_target.toString())
                      .arg(m_port)
                      .arg(reason);
        return false;
    }
    return true;
}

QString TimecodeSender::route() const
{
    return QStringLiteral("%1:%2 from port %3")
        .arg(m_target.toString())
        .arg(m_port)
        .arg(m_socket.localPort());
}
