// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "artnetsource.h"

#include "sourceframes.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QNetworkProxy>

ArtNetSource::ArtNetSource(const QHostAddress &listen, quint16 port)
    : m_listen(listen), m_port(port)
{}

bool ArtNetSource::open(SourceError *error)
{
    // Bound to the any-address even for one interface: bound to an interface
    // address, Linux would hold back the broadcasts that carry Art-Net.
    // Datagrams from other interfaces are dropped by their index instead.
    if (m_listen != QHostAddress(QHostAddress::AnyIPv4)) {
        for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
            for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
                if (entry.ip() == m_listen)
                    m_interfaceIndex = interface.index();
            }
        }
        if (m_interfaceIndex == 0) {
            *error = SourceError{QStringLiteral("--listen %1 is not an address of this computer")
                                     .arg(m_listen.toString()),
                                 2};
            return false;
        }
    }
    m_socket.setProxy(QNetworkProxy::NoProxy);
    if (!m_socket.bind(QHostAddress(QHostAddress::AnyIPv4), m_port,
                       QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        *error = SourceError{QStringLiteral("cannot listen on UDP port %1 for Art-Net: %2")
                                 .arg(m_port)
                                 .arg(m_socket.errorString()),
                             1};
        return false;
    }
    return true;
}

TimecodeSource::Status ArtNetSource::next(Clock::time_point until, SourceFrame *frame)
{
    for (;;) {
        while (m_socket.hasPendingDatagrams()) {
            if (readOne(frame))
                return Status::Frame;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        if (left <= 0 || !m_socket.waitForReadyRead(int(left)))
            return Status::Waiting;
    }
}

bool ArtNetSource::readOne(SourceFrame *frame)
{
    const QNetworkDatagram datagram = m_socket.receiveDatagram(ArtTimeCodeSize);
    if (m_interfaceIndex != 0 && datagram.interfaceIndex() != uint(m_interfaceIndex))
        return false;
    const QByteArray data = datagram.data();
    const std::optional<TimecodeLabel> label =
        parseArtTimeCode(reinterpret_cast<const unsigned char *>(data.constData()), data.size());
    if (!label)
        return false;
    const std::string sender = QStringLiteral("%1 %2")
                                   .arg(datagram.senderAddress().toString())
                                   .arg(datagram.senderPort())
                                   .toStdString();
    if (!m_follower.follows(sender, Clock::now()))
        return false;
    const std::optional<std::int32_t> count = labelFrameCount(*label);
    if (!count)
        return false;
    *frame = SourceFrame{label->nominalRate, *count, flagWordFor(label->dropFrame)};
    m_heard = true;
    return true;
}

QString ArtNetSource::waitingText() const
{
    return m_heard ? QString() : QStringLiteral("no Art-Net timecode yet");
}
