// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "clocksource.h"

#include <QTest>

using namespace std::chrono;

// The clock source on a made-up wall clock: its waits move the clock on,
// and a step of the clock can happen during any one of them.
class TestClockSource : public QObject
{
    Q_OBJECT

private slots:
    void followsTheWallClock_data();
    void followsTheWallClock();
};

void TestClockSource::followsTheWallClock_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<qint64>("startMs"); // time of day, UTC
    QTest::addColumn<double>("pace");    // how much of each wait passes before it ends
    QTest::addColumn<int>("stepDuringWait");
    QTest::addColumn<qint64>("stepMs");
    QTest::addColumn<QList<int>>("counts");

    const qint64 noon = 12 * 3600 * 1000;
    const int noon25 = 12 * 3600 * 25;
    // The first frame goes out at once, mid-frame; the rest on their boundaries.
    QTest::newRow("second boundaries at 24")
        << 24 << noon + 950 << 1.0 << -1 << 0ll
        << QList<int>{12 * 3600 * 24 + 22, 12 * 3600 * 24 + 23, 12 * 3600 * 24 + 24,
                      12 * 3600 * 24 + 25};
    QTest::newRow("100 fps") << 100 << noon + 985 << 1.0 << -1 << 0ll
                             << QList<int>{12 * 3600 * 100 + 98, 12 * 3600 * 100 + 99,
                                           12 * 3600 * 100 + 100, 12 * 3600 * 100 + 101};
    // One datagram per frame, the step shown at once, no catch-up burst.
    QTest::newRow("step forward") << 25 << noon << 1.0 << 1 << 10000ll
                                  << QList<int>{noon25, noon25 + 1, noon25 + 252, noon25 + 253};
    QTest::newRow("step back") << 25 << noon << 1.0 << 1 << -10000ll
                               << QList<int>{noon25, noon25 + 1, noon25 - 248, noon25 - 247};
    QTest::newRow("midnight") << 25 << 24 * 3600 * 1000 - 80ll << 1.0 << -1 << 0ll
                              << QList<int>{2159998, 2159999, 0, 1};
    // A wait that ends early (the wall clock slewed fast) sends no frame twice.
    QTest::newRow("woken early") << 30 << noon << 0.9 << -1 << 0ll
                                 << QList<int>{12 * 3600 * 30, 12 * 3600 * 30 + 1,
                                               12 * 3600 * 30 + 2, 12 * 3600 * 30 + 3};
}

void TestClockSource::followsTheWallClock()
{
    QFETCH(int, rate);
    QFETCH(qint64, startMs);
    QFETCH(double, pace);
    QFETCH(int, stepDuringWait);
    QFETCH(qint64, stepMs);
    QFETCH(QList<int>, counts);

    // Day 0 of the epoch, so that the UTC time of day is the time itself.
    system_clock::time_point wall{milliseconds(startMs)};
    int waits = 0;
    ClockSource source(
        rate, true, [&wall] { return wall; },
        [&](nanoseconds wait) {
            wall += ceil<nanoseconds>(wait * pace);
            if (waits++ == stepDuringWait)
                wall += milliseconds(stepMs);
        });

    QList<int> sent;
    for (int i = 0; i < counts.size(); ++i) {
        SourceFrame frame;
        QCOMPARE(source.next(TimecodeSource::Clock::now(), &frame), TimecodeSource::Status::Frame);
        QCOMPARE(frame.frameRate, rate);
        sent.append(frame.frameCount);
        // Frame 0 of a second goes out on the second itself.
        if (i > 0 && pace == 1.0 && frame.frameCount % rate == 0)
            QCOMPARE(wall.time_since_epoch() % seconds(1), system_clock::duration::zero());
    }
    QCOMPARE(sent, counts);
}

QTEST_GUILESS_MAIN(TestClockSource)
#include "tst_clocksource.moc"
