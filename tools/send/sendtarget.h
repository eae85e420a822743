// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef SENDTARGET_H
#define SENDTARGET_H

#include <QHostAddress>
#include <QList>
#include <QString>

#include <optional>

// The broadcast addresses of this machine's IPv4 interfaces.
QList<QHostAddress> localBroadcastAddresses();

// True for the limited broadcast 255.255.255.255 and for the broadcast
// address of any of the given local networks.
bool isBroadcastAddress(const QHostAddress &address, const QList<QHostAddress> &localBroadcasts);

// The IPv4 address to send to: a literal as it stands, a name through the
// resolver. A broadcast address is refused unless allowBroadcast is set, so
// that a typo cannot spray timecode over a whole network. On failure returns
// nothing and a one-line message in *error.
std::optional<QHostAddress> resolveTarget(const QString &host, bool allowBroadcast, QString *error);

#endif // SENDTARGET_H
