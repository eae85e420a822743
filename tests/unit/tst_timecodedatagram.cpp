// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodedatagram.h"

#include <QTest>

#include <cstring>

Q_DECLARE_METATYPE(TimecodeBuffer)

namespace {

TimecodeBuffer datagram(std::int32_t rate, std::int32_t count)
{
    return encodeTimecodeDatagram(Timecode{rate, count});
}

// The same datagram with one big-endian word replaced.
TimecodeBuffer withWord(TimecodeBuffer buffer, int offset, std::uint32_t word)
{
    buffer[offset] = word >> 24;
    buffer[offset + 1] = word >> 16;
    buffer[offset + 2] = word >> 8;
    buffer[offset + 3] = word;
    return buffer;
}

} // namespace

class TimecodeDatagramTest : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void wireBytes();
    void encodeIsInverse_data();
    void encodeIsInverse();
};

void TimecodeDatagramTest::decode_data()
{
    QTest::addColumn<TimecodeBuffer>("buffer");
    QTest::addColumn<qint64>("bytesRead");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("count");

    const qint64 full = TimecodeDatagramSize;
    auto accept = [&](const char *name, TimecodeBuffer buffer, int rate, int count) {
        QTest::newRow(name) << buffer << full << true << rate << count;
    };
    auto drop = [&](const char *name, TimecodeBuffer buffer, qint64 bytesRead = 28) {
        QTest::newRow(name) << buffer << bytesRead << false << 0 << 0;
    };

    // Read length
    drop("27 bytes", datagram(25, 0), 27);
    drop("failed read", datagram(25, 0), -1);
    drop("empty read", datagram(25, 0), 0);
    drop("29 bytes reported", datagram(25, 0), 29);

    // Fixed words
    drop("message type 0", withWord(datagram(25, 0), 0, 0));
    drop("message type 2", withWord(datagram(25, 0), 0, 2));
    drop("message type little-endian", withWord(datagram(25, 0), 0, 0x01000000));
    accept("flag 1", withWord(datagram(25, 7), 8, 1), 25, 7);
    drop("flag 2", withWord(datagram(25, 0), 8, 2));
    drop("flag all ones", withWord(datagram(25, 0), 8, 0xffffffff));
    drop("flag little-endian 1", withWord(datagram(25, 0), 8, 0x01000000));
    drop("length 11", withWord(datagram(25, 0), 12, 11));
    drop("length little-endian", withWord(datagram(25, 0), 12, 0x0c000000));
    drop("reserved low bit", withWord(datagram(25, 0), 20, 1));
    drop("reserved high bit", withWord(datagram(25, 0), 20, 0x80000000));
    drop("reserved with no timecode", withWord(datagram(25, -1), 20, 0x100));
    accept("spare all ones", withWord(datagram(25, 3), 4, 0xffffffff), 25, 3);
    accept("spare pattern", withWord(datagram(30, 3), 4, 0xdeadbeef), 30, 3);

    // Rates: only the table, no rounding, nothing negative.
    for (int rate : {0, 24, 25, 30, 50, 60, 100})
        accept(qPrintable(QStringLiteral("rate %1").arg(rate)), datagram(rate, 12), rate, 12);
    for (int rate : {23, 29, 48, -25, 1, 101, 1000})
        drop(qPrintable(QStringLiteral("rate %1").arg(rate)), datagram(rate, 12));
    drop("rate little-endian 25", withWord(datagram(25, 0), 16, 0x19000000));

    // Counts: -1 and up to the rate's 100-hour limit, exclusive.
    accept("no timecode", datagram(25, -1), 25, -1);
    accept("no timecode at rate 0", datagram(0, -1), 0, -1);
    drop("count -2", datagram(25, -2));
    drop("count most negative", datagram(25, INT32_MIN));
    accept("zero", datagram(25, 0), 25, 0);
    accept("24 last", datagram(24, 8639999), 24, 8639999);
    drop("24 limit", datagram(24, 8640000));
    accept("25 last", datagram(25, 8999999), 25, 8999999);
    drop("25 limit", datagram(25, 9000000));
    accept("rate 0 uses 25's limit", datagram(0, 8999999), 0, 8999999);
    drop("rate 0 limit", datagram(0, 9000000));
    accept("30 last", datagram(30, 10799999), 30, 10799999);
    drop("30 limit", datagram(30, 10800000));
    accept("100 last", datagram(100, 35999999), 100, 35999999);
    drop("100 limit", datagram(100, 36000000));
    drop("count max", datagram(100, INT32_MAX));
}

void TimecodeDatagramTest::decode()
{
    QFETCH(TimecodeBuffer, buffer);
    QFETCH(qint64, bytesRead);
    QFETCH(bool, accepted);

    const std::optional<Timecode> result = decodeTimecodeDatagram(buffer, bytesRead);
    QCOMPARE(result.has_value(), accepted);
    if (accepted) {
        QTEST(int(result->frameRate), "rate");
        QTEST(int(result->frameCount), "count");
    }
}

// The bytes on the wire do not depend on the host: one hour at 25 fps.
void TimecodeDatagramTest::wireBytes()
{
    const unsigned char expected[TimecodeDatagramSize] = {
        0, 0,    0, 1, 0, 0,    0, 0, 0, 0, 0, 0,    0,    0,
        0, 0x0c, 0, 0, 0, 0x19, 0, 0, 0, 0, 0, 0x01, 0x5f, 0x90,
    };
    const TimecodeBuffer buffer = datagram(25, 90000);
    QVERIFY(std::memcmp(buffer.data(), expected, sizeof expected) == 0);

    const TimecodeBuffer noTimecode = datagram(60, -1);
    for (int i = 24; i < 28; ++i)
        QCOMPARE(int(noTimecode[i]), 0xff);
}

void TimecodeDatagramTest::encodeIsInverse_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("count");
    QTest::addColumn<uint>("flag");

    for (int rate : {0, 24, 25, 30, 50, 60, 100}) {
        const int last = frameCountLimit(rate) - 1;
        for (int count : {-1, 0, 1, last / 2, last}) {
            for (uint flag : {0u, 1u})
                QTest::addRow("%d fps, %d, flag %u", rate, count, flag) << rate << count << flag;
        }
    }
}

void TimecodeDatagramTest::encodeIsInverse()
{
    QFETCH(int, rate);
    QFETCH(int, count);
    QFETCH(uint, flag);

    const TimecodeBuffer buffer = encodeTimecodeDatagram(Timecode{rate, count}, 0x12345678, flag);
    const std::optional<Timecode> decoded = decodeTimecodeDatagram(buffer, TimecodeDatagramSize);
    QVERIFY(decoded);
    QCOMPARE(decoded->frameRate, rate);
    QCOMPARE(decoded->frameCount, count);
}

QTEST_APPLESS_MAIN(TimecodeDatagramTest)
#include "tst_timecodedatagram.moc"
