// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "datagramdrain.h"

#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

// Draining a socket's queue, on a socket of the test's own, so that no other
// program listening on the display's port gets in the way.
class DatagramDrainTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void keepsNewestWithItsSender();
    void emptyQueueGivesNothing();
    void floodIsTakenInBoundedBites();

private:
    void sendCounts(int first, int last);

    QUdpSocket receiver;
    QUdpSocket sender;
};

void DatagramDrainTest::init()
{
    receiver.close();
    sender.close();
    QVERIFY(receiver.bind(QHostAddress::LocalHost, 0));
    QVERIFY(sender.bind(QHostAddress::LocalHost, 0));
}

void DatagramDrainTest::sendCounts(int first, int last)
{
    for (int count = first; count <= last; ++count) {
        const TimecodeBuffer buffer = encodeTimecodeDatagram(Timecode{25, count});
        sender.writeDatagram(reinterpret_cast<const char *>(buffer.data()), buffer.size(),
                             QHostAddress::LocalHost, receiver.localPort());
    }
    QTRY_VERIFY(receiver.hasPendingDatagrams());
}

void DatagramDrainTest::keepsNewestWithItsSender()
{
    sendCounts(0, 49);
    const std::optional<ReceivedTimecode> newest = drainNewestValid(receiver);
    QVERIFY(newest);
    QCOMPARE(newest->timecode.frameCount, 49);
    QCOMPARE(newest->address, QHostAddress(QHostAddress::LocalHost));
    QCOMPARE(newest->port, sender.localPort());
    QVERIFY(!receiver.hasPendingDatagrams());
}

void DatagramDrainTest::emptyQueueGivesNothing()
{
    QVERIFY(!drainNewestValid(receiver));
}

// A flood that arrives as fast as it is read must not hold the event loop:
// one drain stops after its share, and the socket signals for the rest.
void DatagramDrainTest::floodIsTakenInBoundedBites()
{
    sendCounts(0, 49);
    QSignalSpy readyRead(&receiver, &QUdpSocket::readyRead);
    QTRY_VERIFY(readyRead.count() >= 1);
    readyRead.clear();

    std::optional<ReceivedTimecode> newest = drainNewestValid(receiver, 10);
    QVERIFY(newest);
    QCOMPARE(newest->timecode.frameCount, 9);
    QVERIFY(receiver.hasPendingDatagrams());
    QTRY_VERIFY(readyRead.count() >= 1);

    newest = drainNewestValid(receiver);
    QVERIFY(newest);
    QCOMPARE(newest->timecode.frameCount, 49);
}

QTEST_GUILESS_MAIN(DatagramDrainTest)
#include "tst_datagramdrain.moc"
