// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "mtcmessages.h"
#include "mtcparser.h"

#include <QTest>

using namespace mtc;

class TestMtcParser : public QObject
{
    Q_OBJECT

private slots:
    void framesAsTheyBecomeKnown_data();
    void framesAsTheyBecomeKnown();
};

void TestMtcParser::framesAsTheyBecomeKnown_data()
{
    QTest::addColumn<QByteArray>("midi");
    QTest::addColumn<QString>("frames");

    // The first set is only believed once the second follows on from it;
    // then each set gives its time plus two frames, and the middle of the
    // next set the frame between.
    QTest::newRow("24 fps, plus two frames, over a second")
        << quarterFrames("10:00:00:18", 0, 4)
        << "10:00:00:22 10:00:00:23 10:00:01:00 10:00:01:01 10:00:01:02";
    QTest::newRow("25 fps over an hour")
        << quarterFrames("00:59:59:20", 1, 4)
        << "00:59:59:24 01:00:00:00 01:00:00:01 01:00:00:02 01:00:00:03";
    QTest::newRow("29.97 drop-frame skips ;00 and ;01")
        << quarterFrames("00:00:59;24", 2, 4)
        << "00:00:59;28 00:00:59;29 00:01:00;02 00:01:00;03 00:01:00;04";
    QTest::newRow("30 fps over midnight")
        << quarterFrames("23:59:59:24", 3, 4)
        << "23:59:59:28 23:59:59:29 00:00:00:00 00:00:00:01 00:00:00:02";
    QTest::newRow("reverse: pieces 7 to 0, two frames back")
        << quarterFrames("01:00:00:10", 1, 3, -1) << "01:00:00:06 01:00:00:05 01:00:00:04";

    // A locate announced by a full frame: shown at once, and the first set
    // after it, which carries the same time, is believed at once.
    QTest::newRow("locate with a full frame")
        << quarterFrames("01:00:00:00", 1, 2) + quarterFrames("01:00:00:04", 1, 1).left(8) +
               fullFrame("05:30:00:00", 1) + quarterFrames("05:30:00:00", 1, 2)
        << "01:00:00:04 01:00:00:05 05:30:00:00 05:30:00:02 05:30:00:03 05:30:00:04";
    QTest::newRow("only full frames, pause included")
        << fullFrame("02:00:00:00", 3) + fullFrame("02:00:00:01", 3) + fullFrame("02:00:00:01", 3)
        << "02:00:00:00 02:00:00:01 02:00:00:01";
    // A locate without one: the first pieces of the old time and the last of
    // the new make a time that never was, which is never shown.
    QTest::newRow("spliced at a locate")
        << quarterFrames("01:00:00:00", 1, 3).left(40) + quarterFrames("07:00:00:00", 1, 4).mid(8)
        << "01:00:00:04 01:00:00:05 07:00:00:06 07:00:00:07 07:00:00:08";
    // A sender that rolled over to the next second while sending the set:
    // 10:24 with the seconds of 11. That set alone is lost; no wrong frame
    // is shown.
    QTest::newRow("rollover within a set")
        << quarterFrames("00:00:10:20", 1, 2) + quarterFrames("00:00:10:24", 1, 1).left(4) +
               quarterFrames("00:00:11:00", 1, 1).mid(4) + quarterFrames("00:00:11:01", 1, 2)
        << "00:00:10:24 00:00:11:00 00:00:11:03 00:00:11:04 00:00:11:05";
    QTest::newRow("change of direction")
        << quarterFrames("01:00:00:00", 1, 2) + quarterFrames("01:00:00:04", 1, 3, -1)
        << "01:00:00:04 01:00:00:02 01:00:00:01 01:00:00:00 00:59:59:24 00:59:59:23";
    // Clock, a note and a sysex of another kind pass by unnoticed; out of
    // range fields and a wrong rate for the label are dropped.
    QTest::newRow("other messages and bad full frames")
        << QByteArray::fromHex("f8 903c40 f07e7f0601f7") + fullFrame("24:00:00:00", 1) +
               fullFrame("00:00:60:00", 1) + fullFrame("00:00:00:25", 1) +
               fullFrame("00:01:00;00", 2) + fullFrame("00:10:00;00", 2)
        << "00:10:00;00";
}

void TestMtcParser::framesAsTheyBecomeKnown()
{
    QFETCH(QByteArray, midi);
    QFETCH(QString, frames);

    MtcParser parser;
    QStringList seen;
    for (const QByteArray &message : messages(midi)) {
        const auto *bytes = reinterpret_cast<const unsigned char *>(message.constData());
        if (const std::optional<TimecodeLabel> frame = parser.feed(bytes, size_t(message.size())))
            seen << text(*frame);
    }
    QCOMPARE(seen.join(QLatin1Char(' ')), frames);
}

QTEST_APPLESS_MAIN(TestMtcParser)
#include "tst_mtcparser.moc"
