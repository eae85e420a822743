// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef SENDOPTIONS_H
#define SENDOPTIONS_H

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// Everything the sender needs to know, checked and ready to use. The
// target fields serve every source; the others only the sources named.
struct SendOptions
{
    QString source = QStringLiteral("generator");

    // The target, for every source.
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 8201;
    bool broadcast = false;
    std::optional<quint16> sourcePort;

    // generator, clock
    std::int32_t frameRate = 25;
    // How many datagrams to send; none means until interrupted.
    std::optional<std::int64_t> frameTotal;

    // generator: the first count sent; -1 when the one datagram says "no timecode".
    std::int32_t startCount = 0;

    // clock
    bool utc = false;

    // ltc: a sound file, or "jack" or "jack:PORT"; the channel counts from 1.
    QString input;
    std::optional<int> channel;
};

struct SendCommand
{
    enum class Action { Send, ShowHelp, ShowVersion, Fail };

    Action action = Action::Fail;
    SendOptions options;
    QString error; // one line, for Action::Fail only
};

// Reads the command line (the program name first, as in argv). Every
// mistake comes back as Action::Fail with a message that names the
// culprit, never as a silent default.
SendCommand parseSendCommand(const QStringList &arguments);

// A start position as HH:MM:SS,FF, HH:MM:SS:FF or a plain frame count,
// checked against the rate (0 counts as 25). Returns the frame count, or
// nothing and a message in *error.
std::optional<std::int32_t> parseStartTimecode(const QString &text, std::int32_t frameRate,
                                               QString *error);

// The sources that --source accepts, in the order --help lists them.
QStringList sourceNames();

// --help's text, made by QCommandLineParser from the options' descriptions.
QString sendHelpText();

#endif // SENDOPTIONS_H
