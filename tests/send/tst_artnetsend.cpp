// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "describeddatagram.h"

#include <QNetworkDatagram>
#include <QProcess>
#include <QTest>
#include <QUdpSocket>

#include <cstring>

// Crafted Art-Net packets, broadcast on the loopback network, through the
// real program. It runs in a network namespace of its own where it can, since
// it takes the fixed port 6454, beside a second listener that stands for
// the lighting software on the same computer.
class TestArtNetSend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void packetsToDatagrams_data();
    void packetsToDatagrams();

private:
    QList<QByteArray> exchange(QUdpSocket &from, const QByteArray &packet);

    QProcess m_sender;
    QUdpSocket m_display;   // where quorvane-send sends to
    QUdpSocket m_neighbour; // another Art-Net program on UDP 6454
    QUdpSocket m_console;
    QUdpSocket m_otherConsole;
};

namespace {

const QHostAddress Broadcast(QStringLiteral("127.255.255.255"));

QByteArray artTimeCode(int frames, int seconds, int minutes, int hours, int type, int version = 14,
                       quint16 opCode = 0x9700)
{
    QByteArray packet("Art-Net", 8);
    packet += char(opCode & 0xFF);
    packet += char(opCode >> 8);
    packet += char(version >> 8);
    packet += char(version & 0xFF);
    packet += QByteArray(2, 0);
    for (int field : {frames, seconds, minutes, hours, type})
        packet += char(field);
    return packet;
}

// A packet that always passes, to mark the end of each row's datagrams.
const QByteArray Marker = artTimeCode(7, 56, 34, 12, 1);
const QByteArray MarkerSent = "25 1132407 flag 0";

} // namespace

void TestArtNetSend::initTestCase()
{
    QVERIFY(m_display.bind(QHostAddress::LocalHost, 0));
    QVERIFY(m_neighbour.bind(QHostAddress::AnyIPv4, 6454, QAbstractSocket::ShareAddress));
    QVERIFY(m_console.bind(QHostAddress::LocalHost, 0));
    QVERIFY(m_otherConsole.bind(QHostAddress::LocalHost, 0));

    m_sender.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_sender.start(QStringLiteral(QUORVANE_SEND_PATH),
                   {QStringLiteral("--source"), QStringLiteral("artnet"),
                    QStringLiteral("--listen"), QStringLiteral("127.0.0.1"),
                    QStringLiteral("--port"), QString::number(m_display.localPort())});
    QVERIFY(m_sender.waitForStarted());
    // Ready once a packet gets through.
    for (int i = 0; i < 100 && !m_display.hasPendingDatagrams(); ++i) {
        m_console.writeDatagram(Marker, Broadcast, 6454);
        m_display.waitForReadyRead(50);
    }
    QVERIFY2(m_display.hasPendingDatagrams(), "quorvane-send never forwarded a packet");
    QTest::qWait(100);
    while (m_display.hasPendingDatagrams())
        m_display.receiveDatagram();
    while (m_neighbour.hasPendingDatagrams())
        m_neighbour.receiveDatagram();
}

void TestArtNetSend::cleanupTestCase()
{
    m_sender.terminate();
    QVERIFY(m_sender.waitForFinished());
    QCOMPARE(m_sender.exitCode(), 0);
}

// Sends the packet and then the marker, and returns what reached the
// display before the marker.
QList<QByteArray> TestArtNetSend::exchange(QUdpSocket &from, const QByteArray &packet)
{
    from.writeDatagram(packet, Broadcast, 6454);
    m_console.writeDatagram(Marker, Broadcast, 6454);
    QList<QByteArray> sent;
    for (;;) {
        if (!m_display.hasPendingDatagrams() && !m_display.waitForReadyRead(2000)) {
            sent << "nothing";
            return sent;
        }
        const QByteArray datagram = described(m_display.receiveDatagram().data());
        if (datagram == MarkerSent)
            return sent;
        sent << datagram;
    }
}

void TestArtNetSend::packetsToDatagrams_data()
{
    QTest::addColumn<QByteArray>("packet");
    QTest::addColumn<bool>("fromOtherConsole");
    QTest::addColumn<QByteArray>("datagram"); // empty: nothing is sent

    QTest::newRow("24 fps") << artTimeCode(23, 3, 2, 1, 0) << false
                            << QByteArray("24 89375 flag 0");
    QTest::newRow("25 fps, last frame of the day")
        << artTimeCode(24, 59, 59, 23, 1) << false << QByteArray("25 2159999 flag 0");
    QTest::newRow("29.97 drop-frame counts labels at 30, flag 1")
        << artTimeCode(2, 0, 1, 0, 2) << false << QByteArray("30 1802 flag 1");
    QTest::newRow("30 fps") << artTimeCode(29, 0, 0, 10, 3) << false
                            << QByteArray("30 1080029 flag 0");
    QTest::newRow("longer packet, newer version")
        << artTimeCode(0, 0, 0, 1, 1, 0x0100) + QByteArray(40, '\xff') << false
        << QByteArray("25 90000 flag 0");

    QTest::newRow("ArtDmx") << artTimeCode(0, 0, 0, 1, 1, 14, 0x5000) << false << QByteArray();
    QTest::newRow("OpCode big-endian")
        << artTimeCode(0, 0, 0, 1, 1, 14, 0x0097) << false << QByteArray();
    QByteArray wrongId = artTimeCode(0, 0, 0, 1, 1);
    wrongId[7] = ' ';
    QTest::newRow("ID without its zero") << wrongId << false << QByteArray();
    QTest::newRow("short") << artTimeCode(0, 0, 0, 1, 1).left(18) << false << QByteArray();
    QTest::newRow("version 13") << artTimeCode(0, 0, 0, 1, 1, 13) << false << QByteArray();
    QTest::newRow("type 4") << artTimeCode(0, 0, 0, 1, 4) << false << QByteArray();
    QTest::newRow("frame 25 at 25") << artTimeCode(25, 0, 0, 1, 1) << false << QByteArray();
    QTest::newRow("second 60") << artTimeCode(0, 60, 0, 1, 1) << false << QByteArray();
    QTest::newRow("hour 24") << artTimeCode(0, 0, 0, 24, 1) << false << QByteArray();
    QTest::newRow("drop-frame label that does not exist")
        << artTimeCode(0, 0, 1, 0, 2) << false << QByteArray();

    // The marker's console was heard first and keeps being followed.
    QTest::newRow("a second console") << artTimeCode(0, 0, 0, 2, 1) << true << QByteArray();
}

void TestArtNetSend::packetsToDatagrams()
{
    QFETCH(QByteArray, packet);
    QFETCH(bool, fromOtherConsole);
    QFETCH(QByteArray, datagram);

    const QList<QByteArray> sent = exchange(fromOtherConsole ? m_otherConsole : m_console, packet);
    QCOMPARE(sent, datagram.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{datagram});

    // The other program on the port got the packet and the marker too.
    QList<QByteArray> heard;
    while (heard.size() < 2 &&
           (m_neighbour.hasPendingDatagrams() || m_neighbour.waitForReadyRead(2000)))
        heard << m_neighbour.receiveDatagram().data();
    QCOMPARE(heard, (QList<QByteArray>{packet, Marker}));
}

QTEST_GUILESS_MAIN(TestArtNetSend)
#include "tst_artnetsend.moc"
