// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodedatagram.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <QUdpSocket>

#include <cstring>

// Runs the real program against a socket on 127.0.0.1 at a port of the
// system's choosing, never the display's 8201.
class TestSendLoopback : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sendsTheFramesAsked_data();
    void sendsTheFramesAsked();
    void honoursTheSourcePort();
    void badArgumentsSendNothing_data();
    void badArgumentsSendNothing();
    void stopsCleanlyOnTerminate();

private:
    struct Received
    {
        QList<Timecode> timecodes;
        QSet<quint16> sourcePorts;
    };

    void start(QProcess &process, const QStringList &arguments);
    Received collect(QProcess &process);

    QUdpSocket m_receiver;
};

void TestSendLoopback::init()
{
    m_receiver.close();
    QVERIFY(m_receiver.bind(QHostAddress::LocalHost, 0));
}

void TestSendLoopback::start(QProcess &process, const QStringList &arguments)
{
    process.start(QStringLiteral(QUORVANE_SEND_PATH),
                  QStringList{QStringLiteral("--port"), QString::number(m_receiver.localPort())} +
                      arguments);
    QVERIFY2(process.waitForStarted(10000), qPrintable(process.errorString()));
}

// Reads datagrams until the program has ended and the socket has been
// quiet for a moment.
TestSendLoopback::Received TestSendLoopback::collect(QProcess &process)
{
    Received received;
    auto drain = [&] {
        while (m_receiver.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = m_receiver.receiveDatagram();
            TimecodeBuffer buffer{};
            const QByteArray data = datagram.data();
            std::memcpy(buffer.data(), data.constData(),
                        std::min<size_t>(buffer.size(), size_t(data.size())));
            const std::optional<Timecode> timecode = decodeTimecodeDatagram(buffer, data.size());
            // A refused datagram shows up as an impossible rate.
            received.timecodes.append(timecode.value_or(Timecode{-1, -1}));
            received.sourcePorts.insert(quint16(datagram.senderPort()));
        }
    };
    QDeadlineTimer deadline(30000);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        m_receiver.waitForReadyRead(50);
        drain();
        process.waitForFinished(0);
    }
    while (m_receiver.waitForReadyRead(200))
        drain();
    return received;
}

void TestSendLoopback::sendsTheFramesAsked_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QList<int>>("counts");

    QList<int> oneHour;
    for (int count = 90000; count < 90010; ++count)
        oneHour.append(count);
    QTest::newRow("one hour at 25")
        << QStringList{"--frames", "10", "--rate", "25", "--start", "01:00:00,00"} << 25 << oneHour;
    QTest::newRow("wraps after 100 hours at 24")
        << QStringList{"--frames", "4", "--rate", "24", "--start", "99:59:59:22"} << 24
        << QList<int>{8639998, 8639999, 0, 1};
    QTest::newRow("duration at 50")
        << QStringList{"--duration", "0.1", "--rate", "50"} << 50 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("once at rate 0")
        << QStringList{"--once", "--rate", "0", "--start", "7"} << 0 << QList<int>{7};
    QTest::newRow("clear") << QStringList{"--clear", "--rate", "30"} << 30 << QList<int>{-1};
}

void TestSendLoopback::sendsTheFramesAsked()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, rate);
    QFETCH(QList<int>, counts);

    QElapsedTimer timer;
    timer.start();
    QProcess process;
    start(process, arguments);
    const Received received = collect(process);

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardError(), QByteArray());
    // Not a terminal: no live line.
    QCOMPARE(process.readAllStandardOutput(), QByteArray());

    QList<Timecode> expected;
    for (int count : counts)
        expected.append(Timecode{rate, count});
    QCOMPARE(received.timecodes.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(received.timecodes[i].frameRate, expected[i].frameRate);
        QCOMPARE(received.timecodes[i].frameCount, expected[i].frameCount);
    }
    QCOMPARE(received.sourcePorts.size(), 1);
    // Real time, checked only from below: n frames span n - 1 periods.
    const int period = 1000 / (rate == 0 ? 25 : rate);
    QVERIFY(timer.elapsed() >= qint64(counts.size() - 1) * period * 3 / 4);
}

void TestSendLoopback::honoursTheSourcePort()
{
    quint16 sourcePort = 0;
    {
        QUdpSocket probe;
        QVERIFY(probe.bind(QHostAddress::AnyIPv4, 0));
        sourcePort = probe.localPort();
    }
    QProcess process;
    start(process, {QStringLiteral("--frames"), QStringLiteral("2"),
                    QStringLiteral("--source-port"), QString::number(sourcePort)});
    const Received received = collect(process);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(received.timecodes.size(), 2);
    QCOMPARE(received.sourcePorts, QSet<quint16>{sourcePort});
}

void TestSendLoopback::badArgumentsSendNothing_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("unknown option") << QStringList{"--speed", "2"};
    QTest::newRow("bad rate") << QStringList{"--rate", "23"};
    QTest::newRow("bad start") << QStringList{"--start", "00:00:00,25"};
    QTest::newRow("frames and duration") << QStringList{"--frames", "2", "--duration", "1"};
    QTest::newRow("IPv6 host") << QStringList{"--host", "::1", "--once"};
}

void TestSendLoopback::badArgumentsSendNothing()
{
    QFETCH(QStringList, arguments);
    QProcess process;
    start(process, arguments);
    const Received received = collect(process);
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(received.timecodes.isEmpty());
    const QByteArray message = process.readAllStandardError();
    QVERIFY2(message.startsWith("quorvane-send: "), message.constData());
    QCOMPARE(message.count('\n'), 1);
}

void TestSendLoopback::stopsCleanlyOnTerminate()
{
#ifdef Q_OS_UNIX
    QProcess process;
    start(process, {});
    QVERIFY(m_receiver.waitForReadyRead(10000));
    process.terminate();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardError(), QByteArray());
#else
    QSKIP("terminate() is no signal here");
#endif
}

QTEST_GUILESS_MAIN(TestSendLoopback)
#include "tst_sendloopback.moc"
