// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodetext.h"

#include <QTest>

class TimecodeTextTest : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
};

void TimecodeTextTest::text_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no timecode") << -1 << 25 << "--:--:--,--";
    QTest::newRow("no timecode, no rate") << -1 << 0 << "--:--:--,--";
    // Hours are filled with a space, everything else with zeros.
    QTest::newRow("zero") << 0 << 25 << " 0:00:00,00";
    QTest::newRow("one hour and a bit") << 90061 << 25 << " 1:00:02,11";
    QTest::newRow("25 last") << 8999999 << 25 << "99:59:59,24";
    QTest::newRow("30 just under an hour") << 107999 << 30 << " 0:59:59,29";
    QTest::newRow("100 last") << 35999999 << 100 << "99:59:59,99";
    QTest::newRow("24 last") << 8639999 << 24 << "99:59:59,23";
    QTest::newRow("60 last") << 21599999 << 60 << "99:59:59,59";
    QTest::newRow("50 ten hours") << 1800000 << 50 << "10:00:00,00";
    QTest::newRow("rate 0 counts as 25") << 61 << 0 << " 0:00:02,11";
    QTest::newRow("minute boundary") << 1500 << 25 << " 0:01:00,00";
    QTest::newRow("frame before minute") << 1499 << 25 << " 0:00:59,24";
    // Never stored, but the function must not divide by zero or misbehave.
    QTest::newRow("odd rate") << 1000 << 7 << " 0:02:22,06";
    QTest::newRow("negative rate read unsigned") << 5 << -25 << " 0:00:00,05";
    QTest::newRow("large count, no wrap") << 0x7fffffff << 24 << "24855:08:05,07";
}

void TimecodeTextTest::text()
{
    QFETCH(int, count);
    QFETCH(int, rate);
    QTEST(timecodeText(count, rate), "expected");
}

QTEST_APPLESS_MAIN(TimecodeTextTest)
#include "tst_timecodetext.moc"
