// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sendoptions.h"

#include "timecodedatagram.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <cmath>

namespace {

// Plain decimal digits only: no sign, no spaces, no hex, so that a typo such
// as "--port 82O1" or "--frames -5" is an error rather than a surprise.
std::optional<std::int64_t> parseDigits(const QString &text, int maxDigits = 18)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    std::int64_t value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

std::optional<quint16> parsePort(const QString &text)
{
    const std::optional<std::int64_t> value = parseDigits(text, 5);
    if (!value || *value < 1 || *value > 65535)
        return std::nullopt;
    return quint16(*value);
}

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// Frames for a duration in seconds, rounded up so that a short duration
// still sends something. The tiny allowance keeps 0.2 s at 25 fps at
// 5 frames despite binary fractions.
std::optional<std::int64_t> framesForDuration(const QString &text, std::int32_t frameRate)
{
    static const QRegularExpression number(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    const double seconds = text.toDouble();
    // A billion seconds is over 30 years; the cap keeps the frame total far
    // inside 64 bits.
    if (!(seconds > 0) || seconds > 1e9)
        return std::nullopt;
    const double frames = std::ceil(seconds * effectiveFrameRate(frameRate) - 1e-6);
    return std::max<std::int64_t>(1, std::int64_t(frames));
}

} // namespace

std::optional<std::int32_t> parseStartTimecode(const QString &text, std::int32_t frameRate,
                                               QString *error)
{
    const std::int32_t rate = effectiveFrameRate(frameRate);
    const std::int32_t limit = frameCountLimit(frameRate);

    if (const std::optional<std::int64_t> count = parseDigits(text)) {
        if (*count < limit)
            return std::int32_t(*count);
        *error = QStringLiteral("start %1 is beyond the last frame at %2 fps (%3)")
                     .arg(text)
                     .arg(rate)
                     .arg(limit - 1);
        return std::nullopt;
    }

    // Either separator before the frames: "01:00:00,00" as on the display or
    // "01:00:00:00" as many devices write it.
    static const QRegularExpression timecode(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2}):(\\d{1,2})[,:](\\d{1,2})$"));
    const QRegularExpressionMatch match = timecode.match(text);
    if (!match.hasMatch()) {
        *error = QStringLiteral("start %1 is not HH:MM:SS,FF, HH:MM:SS:FF or a frame count")
                     .arg(quoted(text));
        return std::nullopt;
    }
    const int hours = match.captured(1).toInt();
    const int minutes = match.captured(2).toInt();
    const int seconds = match.captured(3).toInt();
    const int frames = match.captured(4).toInt();
    if (minutes >= 60 || seconds >= 60) {
        *error = QStringLiteral("start %1: minutes and seconds must be below 60").arg(text);
        return std::nullopt;
    }
    if (frames >= rate) {
        *error = QStringLiteral("start %1: frames must be below %2 at %2 fps").arg(text).arg(rate);
        return std::nullopt;
    }
    return ((hours * 60 + minutes) * 60 + seconds) * rate + frames;
}

SendCommand parseSendCommand(const QStringList &arguments)
{
    SendCommand command;
    auto fail = [&command](const QString &message) {
        command.action = SendCommand::Action::Fail;
        command.error = message;
        return command;
    };

    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringLiteral("version"), QString());
    const QCommandLineOption host(QStringLiteral("host"), QString(), QStringLiteral("address"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("port"));
    const QCommandLineOption rate(QStringLiteral("rate"), QString(), QStringLiteral("fps"));
    const QCommandLineOption start(QStringLiteral("start"), QString(), QStringLiteral("timecode"));
    const QCommandLineOption frames(QStringLiteral("frames"), QString(), QStringLiteral("n"));
    const QCommandLineOption duration(QStringLiteral("duration"), QString(),
                                      QStringLiteral("seconds"));
    const QCommandLineOption once(QStringLiteral("once"), QString());
    const QCommandLineOption clear(QStringLiteral("clear"), QString());
    const QCommandLineOption broadcast(QStringLiteral("broadcast"), QString());
    const QCommandLineOption sourcePort(QStringLiteral("source-port"), QString(),
                                        QStringLiteral("port"));

    QCommandLineParser parser;
    parser.addOptions({help, version, host, port, rate, start, frames, duration, once, clear,
                       broadcast, sourcePort});
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty())
            return fail(parser.errorText());
        const QString &name = unknown.constFirst();
        return fail(QStringLiteral("unknown option %1%2 (see --help)")
                        .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument %1")
                        .arg(quoted(parser.positionalArguments().constFirst())));

    if (parser.isSet(help)) {
        command.action = SendCommand::Action::ShowHelp;
        return command;
    }
    if (parser.isSet(version)) {
        command.action = SendCommand::Action::ShowVersion;
        return command;
    }

    SendOptions &options = command.options;

    if (parser.isSet(host)) {
        options.host = parser.value(host);
        if (options.host.isEmpty())
            return fail(QStringLiteral("--host needs an address or a host name"));
    }
    if (parser.isSet(port)) {
        const std::optional<quint16> value = parsePort(parser.value(port));
        if (!value)
            return fail(QStringLiteral("--port %1 is not a port from 1 to 65535")
                            .arg(quoted(parser.value(port))));
        options.port = *value;
    }
    if (parser.isSet(sourcePort)) {
        options.sourcePort = parsePort(parser.value(sourcePort));
        if (!options.sourcePort)
            return fail(QStringLiteral("--source-port %1 is not a port from 1 to 65535")
                            .arg(quoted(parser.value(sourcePort))));
    }
    if (parser.isSet(rate)) {
        const std::optional<std::int64_t> value = parseDigits(parser.value(rate), 3);
        if (!value || !isAcceptedFrameRate(std::int32_t(*value)))
            return fail(QStringLiteral("--rate %1 is not one of 0, 24, 25, 30, 50, 60 or 100")
                            .arg(quoted(parser.value(rate))));
        options.frameRate = std::int32_t(*value);
    }

    const bool sendsOne = parser.isSet(once) || parser.isSet(clear);
    if (parser.isSet(frames) && parser.isSet(duration))
        return fail(QStringLiteral("--frames and --duration cannot be combined"));
    if (sendsOne && (parser.isSet(frames) || parser.isSet(duration)))
        return fail(
            QStringLiteral("--%1 sends one datagram and takes no --frames or --duration")
                .arg(parser.isSet(clear) ? QStringLiteral("clear") : QStringLiteral("once")));
    if (parser.isSet(clear) && parser.isSet(start))
        return fail(QStringLiteral("--clear sends no timecode and takes no --start"));

    if (parser.isSet(start)) {
        QString error;
        const std::optional<std::int32_t> count =
            parseStartTimecode(parser.value(start), options.frameRate, &error);
        if (!count)
            return fail(error);
        options.startCount = *count;
    }
    if (parser.isSet(frames)) {
        options.frameTotal = parseDigits(parser.value(frames));
        if (!options.frameTotal || *options.frameTotal < 1)
            return fail(QStringLiteral("--frames %1 is not a whole number of at least 1")
                            .arg(quoted(parser.value(frames))));
    }
    if (parser.isSet(duration)) {
        options.frameTotal = framesForDuration(parser.value(duration), options.frameRate);
        if (!options.frameTotal)
            return fail(QStringLiteral("--duration %1 is not a number of seconds above 0")
                            .arg(quoted(parser.value(duration))));
    }
    if (sendsOne)
        options.frameTotal = 1;
    if (parser.isSet(clear))
        options.startCount = NoTimecode;

    options.broadcast = parser.isSet(broadcast);
    command.action = SendCommand::Action::Send;
    return command;
}

QString sendHelpText()
{
    return QStringLiteral(
        "Usage: quorvane-send [options]\n"
        "Sends timecode datagrams over UDP, one per frame in real time, counting up from\n"
        "the start position.\n"
        "\n"
        "  --host ADDRESS       IPv4 address or host name to send to (default 127.0.0.1)\n"
        "  --port PORT          UDP port to send to (default 8201)\n"
        "  --rate FPS           0, 24, 25, 30, 50, 60 or 100 (default 25; 0 = not given,\n"
        "                       counted as 25)\n"
        "  --start TIMECODE     HH:MM:SS,FF, HH:MM:SS:FF or a frame count (default 0)\n"
        "  --frames N           send N datagrams, then stop\n"
        "  --duration SECONDS   send for this many seconds (fractions allowed), then stop\n"
        "  --once               send one datagram at the start position and stop\n"
        "  --clear              send one datagram that says \"no timecode\" and stop\n"
        "  --broadcast          allow a broadcast address as --host\n"
        "  --source-port PORT   send from this local UDP port\n"
        "  -h, --help           show this help\n"
        "  --version            show the version\n"
        "\n"
        "Without --frames, --duration, --once or --clear it runs until Ctrl+C.\n"
        "Exit status: 0 done or interrupted, 1 send error, 2 bad arguments.\n");
}
