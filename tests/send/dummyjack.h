// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef DUMMYJACK_H
#define DUMMYJACK_H

#include <QProcess>
#include <QString>

// Starts a JACK server of the caller's own on the dummy back end (no sound
// card), named 'server' so that no other test meets it: 48 kHz, 'period'
// frames a cycle. Clients find it by that name (JACK_DEFAULT_SERVER). False
// when jackd (Debian package jackd2) cannot be started; the server may take
// a moment more before it takes clients.
inline bool startDummyJack(QProcess &jackd, const QString &server, int period)
{
    // No asking the desktop for a sound card that the dummy does not use.
    qputenv("JACK_NO_AUDIO_RESERVATION", "1");
    jackd.start(QStringLiteral("jackd"),
                {QStringLiteral("--no-realtime"), QStringLiteral("-n"), server,
                 QStringLiteral("-d"), QStringLiteral("dummy"), QStringLiteral("-r"),
                 QStringLiteral("48000"), QStringLiteral("-p"), QString::number(period)});
    return jackd.waitForStarted();
}

#endif // DUMMYJACK_H
