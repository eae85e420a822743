// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodestate.h"

#include <QTest>

// Scripts of datagrams and ticks, run against the receiver's and the
// watchdog's decisions. Each step is one character:
//   a / b   an accepted timecode from sender A / B (counts go up by one)
//   x / y   an accepted "no timecode" (-1) from sender A / B
//   .       one watchdog tick
// and the expected trace records, after every tick, whether it asked for a
// repaint ('R') or not ('-').

namespace {

struct Run
{
    TimecodeState state;
    QString repaints;
};

Run play(const QString &script)
{
    const QHostAddress host(QStringLiteral("192.0.2.7"));
    Run run;
    qint32 count = 1000;
    for (QChar step : script) {
        switch (step.unicode()) {
        case 'a':
            acceptTimecode(run.state, Timecode{25, count++}, host, 5000);
            break;
        case 'b':
            acceptTimecode(run.state, Timecode{25, count++}, host, 5001);
            break;
        case 'x':
            acceptTimecode(run.state, Timecode{25, NoTimecode}, host, 5000);
            break;
        case 'y':
            acceptTimecode(run.state, Timecode{25, NoTimecode}, host, 5001);
            break;
        case '.':
            run.repaints += countTick(run.state) ? QLatin1Char('R') : QLatin1Char('-');
            break;
        }
    }
    return run;
}

QString ticks(int n)
{
    return QString(n, QLatin1Char('.'));
}

QString quiet(int n)
{
    return QString(n, QLatin1Char('-'));
}

} // namespace

class TimecodeStateTest : public QObject
{
    Q_OBJECT

private slots:
    void scripts_data();
    void scripts();
    void lossDuringRedEndsBoth();
    void firstSenderIsRecorded();
    void rateIsStoredAsSent();
};

void TimecodeStateTest::scripts_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("repaints");
    QTest::addColumn<int>("frameCount"); // -1 or "some timecode" (1)
    QTest::addColumn<int>("senderChangeTicks");
    QTest::addColumn<int>("ticksSinceDatagram");

    QTest::newRow("idle ticks do nothing") << ticks(50) << quiet(50) << -1 << 0 << 0;
    QTest::newRow("first datagram is green") << "a"
                                             << "" << 1 << 0 << 0;
    QTest::newRow("loss of signal on the 20th tick")
        << "a" + ticks(20) << quiet(19) + "R" << -1 << 0 << 20;
    QTest::newRow("19 ticks still show the timecode")
        << "a" + ticks(19) << quiet(19) << 1 << 0 << 19;
    QTest::newRow("after loss the count stays put")
        << "a" + ticks(40) << quiet(19) + "R" + quiet(20) << -1 << 0 << 20;
    QTest::newRow("datagrams hold off loss")
        << "a" + ticks(15) + "a" + ticks(15) + "a" + ticks(15) << quiet(45) << 1 << 0 << 15;

    QTest::newRow("new sender while shown: red for exactly 5 ticks")
        << "ab" + ticks(6) << "----R-" << 1 << 0 << 6;
    QTest::newRow("red is still on after 4 ticks") << "ab" + ticks(4) << quiet(4) << 1 << 1 << 4;
    QTest::newRow("same sender during red changes nothing") << "ab..b..b."
                                                            << "----R" << 1 << 0 << 1;
    QTest::newRow("alternating senders keep it red")
        << "ab...a...b...a..." << quiet(12) << 1 << 2 << 3;
    QTest::newRow("new sender after loss is green")
        << "a" + ticks(20) + "b" << quiet(19) + "R" << 1 << 0 << 0;
    QTest::newRow("same sender after loss is green")
        << "a" + ticks(20) + "a" << quiet(19) + "R" << 1 << 0 << 0;
    QTest::newRow("red runs out before a loss can come")
        << "a" + ticks(17) + "b" + ticks(20) << quiet(17) + "----R" + quiet(14) + "R" << -1 << 0
        << 20;
    QTest::newRow("red started 3 ticks before loss")
        << "a" + ticks(2) + "b" + ticks(3) << quiet(5) << 1 << 2 << 3;

    QTest::newRow("no-timecode datagram stops the count")
        << "ax" + ticks(30) << quiet(30) << -1 << 0 << 0;
    QTest::newRow("no-timecode from a new sender is red, then runs out")
        << "ay" + ticks(6) << "----R-" << -1 << 0 << 0;
    QTest::newRow("new sender with dashes shown: no red")
        << "xy" + ticks(5) << quiet(5) << -1 << 0 << 0;
}

void TimecodeStateTest::scripts()
{
    QFETCH(QString, script);
    QFETCH(int, frameCount);

    const Run run = play(script);
    QTEST(run.repaints, "repaints");
    QCOMPARE(run.state.frameCount == NoTimecode ? -1 : 1, frameCount);
    QTEST(int(run.state.senderChangeTicks), "senderChangeTicks");
    QTEST(int(run.state.ticksSinceDatagram), "ticksSinceDatagram");
}

// Only reachable when ticks were skipped, but then the dashes must not be red
// and the tick must ask for exactly one repaint.
void TimecodeStateTest::lossDuringRedEndsBoth()
{
    TimecodeState state;
    state.frameCount = 1234;
    state.ticksSinceDatagram = LossOfSignalTicks - 1;
    state.senderChangeTicks = 3;

    QVERIFY(countTick(state));
    QCOMPARE(state.frameCount, NoTimecode);
    QCOMPARE(state.senderChangeTicks, 0);
    QVERIFY(!countTick(state));
}

void TimecodeStateTest::firstSenderIsRecorded()
{
    TimecodeState state;
    QVERIFY(state.senderAddress.isNull());

    const QHostAddress host(QStringLiteral("127.0.0.1"));
    acceptTimecode(state, Timecode{30, 42}, host, 40000);
    QCOMPARE(state.senderAddress, host);
    QCOMPARE(state.senderPort, quint16(40000));
    QCOMPARE(state.senderChangeTicks, 0);

    // The same port on another host is another sender.
    acceptTimecode(state, Timecode{30, 43}, QHostAddress(QStringLiteral("127.0.0.2")), 40000);
    QCOMPARE(state.senderChangeTicks, SenderChangeHighlightTicks);
    QCOMPARE(state.senderAddress, QHostAddress(QStringLiteral("127.0.0.2")));
}

void TimecodeStateTest::rateIsStoredAsSent()
{
    TimecodeState state;
    acceptTimecode(state, Timecode{0, 61}, QHostAddress::LocalHost, 1);
    QCOMPARE(state.frameRate, 0);
    QCOMPARE(state.frameCount, 61);
}

QTEST_APPLESS_MAIN(TimecodeStateTest)
#include "tst_timecodestate.moc"
