// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "frameschedule.h"

#include <QTest>

using namespace std::chrono;
using Clock = FrameSchedule::Clock;

class TestFrameSchedule : public QObject
{
    Q_OBJECT

private slots:
    void onTimeFramesDoNotDrift_data();
    void onTimeFramesDoNotDrift();
    void shortDelayIsCaughtUp();
    void longStallStartsAfresh();
};

void TestFrameSchedule::onTimeFramesDoNotDrift_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<qint64>("frame");
    QTest::addColumn<qint64>("dueNanoseconds");

    // 24 and 60 do not divide a second into whole nanoseconds, yet every
    // whole second lands exactly on time.
    QTest::newRow("24: frame 1") << 24 << 1ll << 41666666ll;
    QTest::newRow("24: one second") << 24 << 24ll << 1000000000ll;
    QTest::newRow("24: one hour") << 24 << 24ll * 3600 << 3600000000000ll;
    QTest::newRow("60: one minute and a frame") << 60 << 3601ll << 60016666666ll;
    QTest::newRow("25: one hour") << 25 << 90000ll << 3600000000000ll;
    QTest::newRow("100: frame 99") << 100 << 99ll << 990000000ll;
}

void TestFrameSchedule::onTimeFramesDoNotDrift()
{
    QFETCH(int, rate);
    QFETCH(qint64, frame);
    QFETCH(qint64, dueNanoseconds);

    const Clock::time_point start{};
    FrameSchedule schedule(start, rate);
    Clock::time_point due = start;
    // A sender that is always exactly on time.
    for (qint64 i = 0; i <= frame; ++i)
        due = schedule.next(due);
    QCOMPARE(duration_cast<nanoseconds>(due - start).count(), dueNanoseconds);
    QCOMPARE(schedule.frameIndex(), frame + 1);
}

void TestFrameSchedule::shortDelayIsCaughtUp()
{
    const Clock::time_point start{};
    FrameSchedule schedule(start, 25);
    QCOMPARE(schedule.next(start), start);
    // Woken two frames late for frame 1: frames 1 to 3 are due at once, in
    // their original slots, and frame 4 is back on the old timetable.
    const Clock::time_point late = start + 120ms;
    QCOMPARE(schedule.next(late), start + 40ms);
    QCOMPARE(schedule.next(late), start + 80ms);
    QCOMPARE(schedule.next(late), start + 120ms);
    QCOMPARE(schedule.next(late), start + 160ms);
}

void TestFrameSchedule::longStallStartsAfresh()
{
    const Clock::time_point start{};
    FrameSchedule schedule(start, 25);
    schedule.next(start);
    schedule.next(start + 40ms);
    // A second lost: no burst of 25 old frames; the next frame goes out now
    // and the rest follow one period apart from here.
    const Clock::time_point resumed = start + 1080ms;
    QCOMPARE(schedule.next(resumed), resumed);
    QCOMPARE(schedule.next(resumed), resumed + 40ms);
    QCOMPARE(schedule.next(resumed + 40ms), resumed + 80ms);
    QCOMPARE(schedule.frameIndex(), 5);
}

QTEST_GUILESS_MAIN(TestFrameSchedule)
#include "tst_frameschedule.moc"
