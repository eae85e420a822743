// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sendoptions.h"
#include "sendtarget.h"

#include <QTest>

namespace {

SendCommand parse(const QString &line)
{
    return parseSendCommand(QStringList{QStringLiteral("quorvane-send")} +
                            line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

} // namespace

class TestSendOptions : public QObject
{
    Q_OBJECT

private slots:
    void acceptsGoodCommandLines_data();
    void acceptsGoodCommandLines();
    void refusesBadCommandLines_data();
    void refusesBadCommandLines();
    void ltcInputs_data();
    void ltcInputs();
    void helpAndVersion();
    void startIsCheckedAgainstTheRate_data();
    void startIsCheckedAgainstTheRate();
    void broadcastAddresses();
};

void TestSendOptions::acceptsGoodCommandLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("startCount");
    QTest::addColumn<qint64>("frameTotal"); // -1: until interrupted
    QTest::addColumn<int>("sourcePort");    // 0: any
    QTest::addColumn<bool>("broadcast");

    QTest::newRow("defaults") << ""
                              << "127.0.0.1" << 8201 << 25 << 0 << -1ll << 0 << false;
    QTest::newRow("comma start") << "--start 01:00:00,00"
                                 << "127.0.0.1" << 8201 << 25 << 90000 << -1ll << 0 << false;
    QTest::newRow("colon start") << "--start 01:00:00:01"
                                 << "127.0.0.1" << 8201 << 25 << 90001 << -1ll << 0 << false;
    QTest::newRow("count start") << "--start 90000"
                                 << "127.0.0.1" << 8201 << 25 << 90000 << -1ll << 0 << false;
    QTest::newRow("start read at the rate given after it")
        << "--start 00:00:01,00 --rate 100"
        << "127.0.0.1" << 8201 << 100 << 100 << -1ll << 0 << false;
    QTest::newRow("equals form") << "--host=10.0.0.7 --port=9000 --frames=3"
                                 << "10.0.0.7" << 9000 << 25 << 0 << 3ll << 0 << false;
    QTest::newRow("everything") << "--host 127.0.0.2 --port 1 --rate 30 --start 99:59:59,29 "
                                   "--frames 10 --source-port 65535 --broadcast"
                                << "127.0.0.2" << 1 << 30 << 10799999 << 10ll << 65535 << true;
    QTest::newRow("rate 0") << "--rate 0 --start 00:00:00,24"
                            << "127.0.0.1" << 8201 << 0 << 24 << -1ll << 0 << false;
    QTest::newRow("duration whole") << "--duration 2 --rate 50"
                                    << "127.0.0.1" << 8201 << 50 << 0 << 100ll << 0 << false;
    QTest::newRow("duration fraction") << "--duration 0.2"
                                       << "127.0.0.1" << 8201 << 25 << 0 << 5ll << 0 << false;
    QTest::newRow("duration rounds up") << "--duration 0.01 --rate 24"
                                        << "127.0.0.1" << 8201 << 24 << 0 << 1ll << 0 << false;
    QTest::newRow("duration at rate 0 counts 25")
        << "--duration 1 --rate 0"
        << "127.0.0.1" << 8201 << 0 << 0 << 25ll << 0 << false;
    QTest::newRow("once") << "--once --start 12"
                          << "127.0.0.1" << 8201 << 25 << 12 << 1ll << 0 << false;
    QTest::newRow("clear") << "--clear --rate 60"
                           << "127.0.0.1" << 8201 << 60 << -1 << 1ll << 0 << false;
    QTest::newRow("clear and once") << "--clear --once"
                                    << "127.0.0.1" << 8201 << 25 << -1 << 1ll << 0 << false;
    QTest::newRow("name as host") << "--host display.local"
                                  << "display.local" << 8201 << 25 << 0 << -1ll << 0 << false;
    QTest::newRow("generator by name") << "--source generator --start 3"
                                       << "127.0.0.1" << 8201 << 25 << 3 << -1ll << 0 << false;
    QTest::newRow("clock") << "--source clock --rate 100 --utc --frames 2 --port 9000"
                           << "127.0.0.1" << 9000 << 100 << 0 << 2ll << 0 << false;
}

void TestSendOptions::acceptsGoodCommandLines()
{
    QFETCH(QString, line);
    const SendCommand command = parse(line);
    QCOMPARE(command.error, QString());
    QCOMPARE(command.action, SendCommand::Action::Send);

    const SendOptions &options = command.options;
    QTEST(options.host, "host");
    QTEST(int(options.port), "port");
    QTEST(int(options.frameRate), "rate");
    QTEST(int(options.startCount), "startCount");
    QTEST(qint64(options.frameTotal.value_or(-1)), "frameTotal");
    QTEST(int(options.sourcePort.value_or(0)), "sourcePort");
    QTEST(options.broadcast, "broadcast");
}

void TestSendOptions::refusesBadCommandLines_data()
{
    // Each message must name what is wrong, so the row gives a piece of it.
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("named");

    QTest::newRow("unknown option") << "--fps 25"
                                    << "--fps";
    QTest::newRow("unknown short option") << "-x"
                                          << "-x";
    QTest::newRow("stray argument") << "127.0.0.1"
                                    << "127.0.0.1";
    QTest::newRow("missing value") << "--port"
                                   << "--port";
    QTest::newRow("empty host") << "--host="
                                << "--host";
    QTest::newRow("port 0") << "--port 0"
                            << "--port";
    QTest::newRow("port too big") << "--port 65536"
                                  << "--port";
    QTest::newRow("port with letter") << "--port 82O1"
                                      << "82O1";
    QTest::newRow("port negative") << "--port -1"
                                   << "--port";
    QTest::newRow("source port 0") << "--source-port 0"
                                   << "--source-port";
    QTest::newRow("rate 23") << "--rate 23"
                             << "--rate";
    QTest::newRow("rate 29") << "--rate 29"
                             << "--rate";
    QTest::newRow("rate negative") << "--rate -25"
                                   << "--rate";
    QTest::newRow("rate fraction") << "--rate 29.97"
                                   << "--rate";
    QTest::newRow("rate hex") << "--rate 0x19"
                              << "--rate";
    QTest::newRow("frames 0") << "--frames 0"
                              << "--frames";
    QTest::newRow("frames negative") << "--frames -5"
                                     << "--frames";
    QTest::newRow("frames fraction") << "--frames 1.5"
                                     << "--frames";
    QTest::newRow("frames huge") << "--frames 99999999999999999999"
                                 << "--frames";
    QTest::newRow("duration 0") << "--duration 0"
                                << "--duration";
    QTest::newRow("duration negative") << "--duration -1"
                                       << "--duration";
    QTest::newRow("duration nan") << "--duration nan"
                                  << "--duration";
    QTest::newRow("duration inf") << "--duration inf"
                                  << "--duration";
    QTest::newRow("duration exponent") << "--duration 1e3"
                                       << "--duration";
    QTest::newRow("duration huge") << "--duration 99999999999999999999"
                                   << "--duration";
    QTest::newRow("frames and duration") << "--frames 3 --duration 1"
                                         << "--frames and --duration";
    QTest::newRow("once and frames") << "--once --frames 3"
                                     << "--once";
    QTest::newRow("clear and duration") << "--clear --duration 1"
                                        << "--clear";
    QTest::newRow("clear and start") << "--clear --start 5"
                                     << "--clear";
    QTest::newRow("bad start") << "--start noon"
                               << "noon";
    QTest::newRow("unknown source") << "--source tape"
                                    << "tape";
    QTest::newRow("option of another source") << "--source clock --start 5"
                                              << "--start";
    QTest::newRow("clock option for the generator") << "--utc"
                                                    << "--utc";
    QTest::newRow("clock at rate 0") << "--source clock --rate 0"
                                     << "--rate";
    QTest::newRow("ltc without input") << "--source ltc"
                                       << "--input";
    QTest::newRow("ltc at a rate") << "--source ltc --input a.wav --rate 25"
                                   << "--rate";
    QTest::newRow("channel 0") << "--source ltc --input a.wav --channel 0"
                               << "--channel";
    QTest::newRow("channel and JACK port")
        << "--source ltc --input jack:system:capture_1 --channel 2"
        << "--channel";
    QTest::newRow("JACK without port") << "--source ltc --input jack:"
                                       << "jack:";
}

void TestSendOptions::refusesBadCommandLines()
{
    QFETCH(QString, line);
    QFETCH(QString, named);
    const SendCommand command = parse(line);
    QCOMPARE(command.action, SendCommand::Action::Fail);
    QVERIFY2(command.error.contains(named), qPrintable(command.error));
    QVERIFY(!command.error.contains(QLatin1Char('\n')));
}

void TestSendOptions::ltcInputs_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("channel"); // 0: not given

    QTest::newRow("file") << "--source ltc --input show.flac"
                          << "show.flac" << 0;
    QTest::newRow("file channel") << "--source=ltc --input=show.wav --channel=2"
                                  << "show.wav" << 2;
    QTest::newRow("JACK") << "--source ltc --input jack"
                          << "jack" << 0;
    QTest::newRow("JACK channel") << "--source ltc --input jack --channel 3"
                                  << "jack" << 3;
    QTest::newRow("JACK port") << "--source ltc --input jack:system:capture_2"
                               << "jack:system:capture_2" << 0;
}

void TestSendOptions::ltcInputs()
{
    QFETCH(QString, line);
    const SendCommand command = parse(line);
    QCOMPARE(command.error, QString());
    QCOMPARE(command.options.source, QStringLiteral("ltc"));
    QTEST(command.options.input, "input");
    QTEST(command.options.channel.value_or(0), "channel");
}

void TestSendOptions::helpAndVersion()
{
    QCOMPARE(parse(QStringLiteral("--help")).action, SendCommand::Action::ShowHelp);
    QCOMPARE(parse(QStringLiteral("-h")).action, SendCommand::Action::ShowHelp);
    QCOMPARE(parse(QStringLiteral("--version")).action, SendCommand::Action::ShowVersion);
    // Every option and every source is explained: no option line ends bare.
    const QString help = sendHelpText();
    for (const char *option :
         {"--source", "--host", "--port", "--rate", "--start", "--frames", "--duration", "--once",
          "--clear", "--broadcast", "--source-port", "--utc", "--version"})
        QVERIFY2(help.contains(QLatin1String(option)), option);
    for (const QString &source : sourceNames())
        QVERIFY2(help.contains(QLatin1String("  ") + source + QLatin1Char(' ')),
                 qPrintable(source));
    for (QString line : help.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        QVERIFY2(!line.startsWith(QLatin1Char('-')) || line.contains(QLatin1String("  ")),
                 qPrintable(line));
    }
}

void TestSendOptions::startIsCheckedAgainstTheRate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("count"); // -1: refused

    QTest::newRow("zero") << "00:00:00,00" << 25 << 0;
    QTest::newRow("single digits") << "1:2:3,4" << 25 << ((1 * 60 + 2) * 60 + 3) * 25 + 4;
    QTest::newRow("last frame 24") << "00:00:00,23" << 24 << 23;
    QTest::newRow("frame 24 at 24") << "00:00:00,24" << 24 << -1;
    QTest::newRow("last frame 25") << "00:00:00,24" << 25 << 24;
    QTest::newRow("frame 25 at 25") << "00:00:00,25" << 25 << -1;
    QTest::newRow("frame 25 at rate 0") << "00:00:00:25" << 0 << -1;
    QTest::newRow("frame 29 at 30") << "00:00:00:29" << 30 << 29;
    QTest::newRow("frame 30 at 30") << "00:00:00:30" << 30 << -1;
    QTest::newRow("frame 49 at 50") << "00:00:00,49" << 50 << 49;
    QTest::newRow("frame 50 at 50") << "00:00:00,50" << 50 << -1;
    QTest::newRow("frame 59 at 60") << "00:00:00,59" << 60 << 59;
    QTest::newRow("frame 60 at 60") << "00:00:00,60" << 60 << -1;
    QTest::newRow("frame 99 at 100") << "00:00:00,99" << 100 << 99;
    QTest::newRow("last at 24") << "99:59:59,23" << 24 << 8639999;
    QTest::newRow("last at 100") << "99:59:59:99" << 100 << 35999999;
    QTest::newRow("minute 60") << "00:60:00,00" << 25 << -1;
    QTest::newRow("second 60") << "00:00:60,00" << 25 << -1;
    QTest::newRow("hour 100") << "100:00:00,00" << 25 << -1;
    QTest::newRow("three digit frames") << "00:00:00,099" << 100 << -1;
    QTest::newRow("drop-frame separator") << "00:00:00;00" << 30 << -1;
    QTest::newRow("dot separator") << "00:00:00.00" << 25 << -1;
    QTest::newRow("too few fields") << "00:00,00" << 25 << -1;
    QTest::newRow("spaces") << " 00:00:00,00" << 25 << -1;
    QTest::newRow("negative") << "-1" << 25 << -1;
    QTest::newRow("empty") << "" << 25 << -1;
    QTest::newRow("count last at 25") << "8999999" << 25 << 8999999;
    QTest::newRow("count limit at 25") << "9000000" << 25 << -1;
    QTest::newRow("count limit at rate 0") << "9000000" << 0 << -1;
    QTest::newRow("count last at 24") << "8639999" << 24 << 8639999;
    QTest::newRow("count limit at 24") << "8640000" << 24 << -1;
    QTest::newRow("count last at 100") << "35999999" << 100 << 35999999;
    QTest::newRow("count beyond 32 bits") << "4294967296" << 100 << -1;
}

void TestSendOptions::startIsCheckedAgainstTheRate()
{
    QFETCH(QString, text);
    QFETCH(int, rate);
    QFETCH(int, count);
    QString error;
    const std::optional<std::int32_t> parsed = parseStartTimecode(text, rate, &error);
    if (count < 0) {
        QVERIFY2(!parsed, qPrintable(QString::number(parsed.value_or(0))));
        QVERIFY(!error.isEmpty());
    } else {
        QVERIFY2(parsed, qPrintable(error));
        QCOMPARE(*parsed, count);
    }
}

void TestSendOptions::broadcastAddresses()
{
    const QList<QHostAddress> local{QHostAddress(QStringLiteral("192.168.10.255"))};
    QVERIFY(isBroadcastAddress(QHostAddress(QStringLiteral("255.255.255.255")), local));
    QVERIFY(isBroadcastAddress(QHostAddress(QStringLiteral("192.168.10.255")), local));
    QVERIFY(!isBroadcastAddress(QHostAddress(QStringLiteral("192.168.10.254")), local));
    QVERIFY(!isBroadcastAddress(QHostAddress(QStringLiteral("127.0.0.1")), local));

    // Refused before anything is sent; no name lookup is involved.
    QString error;
    QVERIFY(!resolveTarget(QStringLiteral("255.255.255.255"), false, &error));
    QVERIFY(error.contains(QLatin1String("--broadcast")));
    for (const QHostAddress &address : localBroadcastAddresses())
        QVERIFY(!resolveTarget(address.toString(), false, &error));
    QVERIFY(!resolveTarget(QStringLiteral("::1"), false, &error));
    QCOMPARE(resolveTarget(QStringLiteral("127.0.0.1"), false, &error),
             QHostAddress(QHostAddress::LocalHost));
}

QTEST_GUILESS_MAIN(TestSendOptions)
#include "tst_sendoptions.moc"
