// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sendoptions.h"

#include "timecodedatagram.h"

#include <QCommandLineParser>
#include <QHostAddress>
#include <QRegularExpression>

#include <algorithm>
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

struct SourceKind
{
    QString name;
    QString summary;
    QStringList options; // beyond the target options, which every source takes
};

// To add a source: a row here, its options in commandLineOptions(), their
// checks in parseSendCommand() and its construction in createSource().
const QList<SourceKind> &sourceKinds()
{
    static const QList<SourceKind> kinds{
        {QStringLiteral("generator"),
         QStringLiteral("a running timecode from --start (default)"),
         {QStringLiteral("rate"), QStringLiteral("start"), QStringLiteral("frames"),
          QStringLiteral("duration"), QStringLiteral("once"), QStringLiteral("clear")}},
        {QStringLiteral("clock"),
         QStringLiteral("this computer's time of day"),
         {QStringLiteral("rate"), QStringLiteral("utc"), QStringLiteral("frames"),
          QStringLiteral("duration")}},
        {QStringLiteral("ltc"),
         QStringLiteral("linear timecode from a sound file or through JACK"),
         {QStringLiteral("input"), QStringLiteral("channel")}},
        {QStringLiteral("artnet"),
         QStringLiteral("Art-Net timecode from a lighting network (UDP 6454)"),
         {QStringLiteral("listen")}},
        {QStringLiteral("mtc"),
         QStringLiteral("MIDI timecode from an ALSA sequencer or JACK MIDI port"),
         {QStringLiteral("input"), QStringLiteral("list-inputs")}},
    };
    return kinds;
}

const QStringList &targetOptions()
{
    static const QStringList names{QStringLiteral("source"),      QStringLiteral("host"),
                                   QStringLiteral("port"),        QStringLiteral("broadcast"),
                                   QStringLiteral("source-port"), QStringLiteral("h"),
                                   QStringLiteral("help"),        QStringLiteral("version")};
    return names;
}

QList<QCommandLineOption> commandLineOptions()
{
    auto option = [](const QString &name, const QString &description,
                     const QString &valueName = QString()) {
        return QCommandLineOption(name, description, valueName);
    };
    return {
        option(QStringLiteral("source"),
               QStringLiteral("Where the timecode comes from: %1 (default generator).")
                   .arg(sourceNames().join(QStringLiteral(", "))),
               QStringLiteral("name")),
        option(QStringLiteral("host"),
               QStringLiteral("IPv4 address or host name to send to (default 127.0.0.1)."),
               QStringLiteral("address")),
        option(QStringLiteral("port"), QStringLiteral("UDP port to send to (default 8201)."),
               QStringLiteral("port")),
        option(QStringLiteral("broadcast"), QStringLiteral("Allow a broadcast address as --host.")),
        option(QStringLiteral("source-port"), QStringLiteral("Send from this local UDP port."),
               QStringLiteral("port")),
        option(QStringLiteral("rate"),
               QStringLiteral("generator, clock: frames per second, 24, 25, 30, 50, 60 or 100 "
                              "(default 25); the generator also takes 0, not given, counted as "
                              "25."),
               QStringLiteral("fps")),
        option(QStringLiteral("start"),
               QStringLiteral("generator: first timecode, HH:MM:SS,FF, HH:MM:SS:FF or a frame "
                              "count (default 0)."),
               QStringLiteral("timecode")),
        option(QStringLiteral("frames"),
               QStringLiteral("generator, clock: send this many datagrams, then stop."),
               QStringLiteral("n")),
        option(QStringLiteral("duration"),
               QStringLiteral("generator, clock: send for this many seconds (fractions allowed), "
                              "then stop."),
               QStringLiteral("seconds")),
        option(QStringLiteral("once"),
               QStringLiteral("generator: send one datagram at the start position and stop.")),
        option(QStringLiteral("clear"),
               QStringLiteral("generator: send one datagram that says \"no timecode\" and stop.")),
        option(QStringLiteral("utc"), QStringLiteral("clock: UTC rather than local time.")),
        option(QStringLiteral("input"),
               QStringLiteral("ltc: a WAV, FLAC or AIFF file, played in real time; or jack for a "
                              "JACK input port, or jack:PORT to connect it to that capture port. "
                              "mtc: the MIDI input, an ALSA sequencer port (its name, or "
                              "client:port), or jack:NAME for a JACK MIDI port."),
               QStringLiteral("input")),
        option(
            QStringLiteral("channel"),
            QStringLiteral("ltc: the channel of the file (default 1), or the system capture port "
                           "to connect the JACK input to, counted from 1."),
            QStringLiteral("n")),
        option(QStringLiteral("listen"),
               QStringLiteral("artnet: hear only the network interface with this address "
                              "(default all)."),
               QStringLiteral("address")),
        option(QStringLiteral("list-inputs"),
               QStringLiteral("mtc: list the MIDI inputs that --input takes, and stop.")),
        QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                           QStringLiteral("Show this help.")),
        option(QStringLiteral("version"), QStringLiteral("Show the version.")),
    };
}

void setUpParser(QCommandLineParser &parser)
{
    QString sources;
    for (const SourceKind &kind : sourceKinds())
        sources += QStringLiteral("  %1  %2\n").arg(kind.name.leftJustified(10), kind.summary);
    parser.setApplicationDescription(
        QStringLiteral("Sends timecode datagrams over UDP to a Quorvane display, one per frame\n"
                       "as the source gives them.\n\nSources:\n%1\n"
                       "Without --frames, --duration, --once or --clear it runs until Ctrl+C.\n"
                       "Exit status: 0 done or interrupted, 1 the socket or the source failed,\n"
                       "2 bad arguments or input.")
            .arg(sources));
    parser.addOptions(commandLineOptions());
}

} // namespace

QStringList sourceNames()
{
    QStringList names;
    for (const SourceKind &kind : sourceKinds())
        names.append(kind.name);
    return names;
}

QString sendHelpText()
{
    QCommandLineParser parser;
    setUpParser(parser);
    return parser.helpText();
}

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

    QCommandLineParser parser;
    setUpParser(parser);
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

    if (parser.isSet(QStringLiteral("help"))) {
        command.action = SendCommand::Action::ShowHelp;
        return command;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        command.action = SendCommand::Action::ShowVersion;
        return command;
    }

    SendOptions &options = command.options;
    auto isSet = [&parser](const char *name) { return parser.isSet(QLatin1String(name)); };
    auto value = [&parser](const char *name) { return parser.value(QLatin1String(name)); };

    if (isSet("source"))
        options.source = value("source");
    const auto kind = std::find_if(sourceKinds().cbegin(), sourceKinds().cend(),
                                   [&](const SourceKind &k) { return k.name == options.source; });
    if (kind == sourceKinds().cend())
        return fail(QStringLiteral("unknown source %1; the sources are %2")
                        .arg(quoted(options.source), sourceNames().join(QStringLiteral(", "))));
    for (const QString &name : parser.optionNames()) {
        if (!targetOptions().contains(name) && !kind->options.contains(name))
            return fail(
                QStringLiteral("--%1 is not an option of --source %2").arg(name, kind->name));
    }

    if (isSet("host")) {
        options.host = value("host");
        if (options.host.isEmpty())
            return fail(QStringLiteral("--host needs an address or a host name"));
    }
    if (isSet("port")) {
        const std::optional<quint16> port = parsePort(value("port"));
        if (!port)
            return fail(QStringLiteral("--port %1 is not a port from 1 to 65535")
                            .arg(quoted(value("port"))));
        options.port = *port;
    }
    if (isSet("source-port")) {
        options.sourcePort = parsePort(value("source-port"));
        if (!options.sourcePort)
            return fail(QStringLiteral("--source-port %1 is not a port from 1 to 65535")
                            .arg(quoted(value("source-port"))));
    }
    options.broadcast = isSet("broadcast");

    if (isSet("rate")) {
        const std::optional<std::int64_t> rate = parseDigits(value("rate"), 3);
        // The clock has no use for "not given".
        const bool acceptsZero = options.source != QLatin1String("clock");
        if (!rate || !isAcceptedFrameRate(std::int32_t(*rate)) || (*rate == 0 && !acceptsZero))
            return fail(QStringLiteral("--rate %1 is not one of %2")
                            .arg(quoted(value("rate")),
                                 acceptsZero ? QStringLiteral("0, 24, 25, 30, 50, 60 or 100")
                                             : QStringLiteral("24, 25, 30, 50, 60 or 100")));
        options.frameRate = std::int32_t(*rate);
    }

    const bool sendsOne = isSet("once") || isSet("clear");
    if (isSet("frames") && isSet("duration"))
        return fail(QStringLiteral("--frames and --duration cannot be combined"));
    if (sendsOne && (isSet("frames") || isSet("duration")))
        return fail(QStringLiteral("--%1 sends one datagram and takes no --frames or --duration")
                        .arg(isSet("clear") ? QStringLiteral("clear") : QStringLiteral("once")));
    if (isSet("clear") && isSet("start"))
        return fail(QStringLiteral("--clear sends no timecode and takes no --start"));

    if (isSet("start")) {
        QString error;
        const std::optional<std::int32_t> count =
            parseStartTimecode(value("start"), options.frameRate, &error);
        if (!count)
            return fail(error);
        options.startCount = *count;
    }
    if (isSet("frames")) {
        options.frameTotal = parseDigits(value("frames"));
        if (!options.frameTotal || *options.frameTotal < 1)
            return fail(QStringLiteral("--frames %1 is not a whole number of at least 1")
                            .arg(quoted(value("frames"))));
    }
    if (isSet("duration")) {
        options.frameTotal = framesForDuration(value("duration"), options.frameRate);
        if (!options.frameTotal)
            return fail(QStringLiteral("--duration %1 is not a number of seconds above 0")
                            .arg(quoted(value("duration"))));
    }
    if (sendsOne)
        options.frameTotal = 1;
    if (isSet("clear"))
        options.startCount = NoTimecode;

    options.utc = isSet("utc");

    if (options.source == QLatin1String("ltc")) {
        options.input = value("input");
        if (options.input.isEmpty())
            return fail(QStringLiteral("--source ltc needs --input FILE or --input jack[:PORT]"));
        if (options.input == QLatin1String("jack:"))
            return fail(QStringLiteral("--input jack: needs a port name after the colon"));
    }
    if (isSet("channel")) {
        const std::optional<std::int64_t> channel = parseDigits(value("channel"), 4);
        if (!channel || *channel < 1)
            return fail(QStringLiteral("--channel %1 is not a channel number from 1")
                            .arg(quoted(value("channel"))));
        if (options.input.startsWith(QLatin1String("jack:")))
            return fail(QStringLiteral("--channel does not go with --input jack:PORT, which names "
                                       "the port itself"));
        options.channel = int(*channel);
    }
    if (isSet("listen")) {
        options.listen = value("listen");
        if (QHostAddress(options.listen).protocol() != QAbstractSocket::IPv4Protocol)
            return fail(
                QStringLiteral("--listen %1 is not an IPv4 address").arg(quoted(options.listen)));
    }
    options.listInputs = isSet("list-inputs");
    if (options.source == QLatin1String("mtc") && !options.listInputs) {
        options.input = value("input");
        if (options.input.isEmpty() || options.input == QLatin1String("jack:"))
            return fail(QStringLiteral("--source mtc needs --input PORT or --input jack:NAME "
                                       "(see --list-inputs)"));
    }

    command.action = SendCommand::Action::Send;
    return command;
}
