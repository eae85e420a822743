// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sendtarget.h"

#include <QHostInfo>
#include <QNetworkInterface>

#include <algorithm>

QList<QHostAddress> localBroadcastAddresses()
{
    QList<QHostAddress> result;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const QList<QNetworkAddressEntry> entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol &&
                !entry.broadcast().isNull())
                result.append(entry.broadcast());
        }
    }
    return result;
}

bool isBroadcastAddress(const QHostAddress &address, const QList<QHostAddress> &localBroadcasts)
{
    return address == QHostAddress(QHostAddress::Broadcast) || localBroadcasts.contains(address);
}

std::optional<QHostAddress> resolveTarget(const QString &host, bool allowBroadcast, QString *error)
{
    QHostAddress address;
    if (address.setAddress(host)) {
        if (address.protocol() != QAbstractSocket::IPv4Protocol) {
            *error = QStringLiteral("host %1 is not an IPv4 address").arg(host);
            return std::nullopt;
        }
    } else {
        const QHostInfo info = QHostInfo::fromName(host);
        const QList<QHostAddress> addresses = info.addresses();
        const auto ipv4 = std::find_if(addresses.cbegin(), addresses.cend(), [](const auto &a) {
            return a.protocol() == QAbstractSocket::IPv4Protocol;
        });
        if (ipv4 == addresses.cend()) {
            *error =
                info.error() == QHostInfo::NoError
                    ? QStringLiteral("host %1 has no IPv4 address").arg(host)
                    : QStringLiteral("cannot resolve host %1: %2").arg(host, info.errorString());
            return std::nullopt;
        }
        address = *ipv4;
    }

    if (!allowBroadcast && isBroadcastAddress(address, localBroadcastAddresses())) {
        *error = QStringLiteral("%1 is a broadcast address; add --broadcast to send to it")
                     .arg(address.toString());
        return std::nullopt;
    }
    return address;
}
