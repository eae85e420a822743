// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "describeddatagram.h"
#include "dummyjack.h"
#include "mtcmessages.h"
#include "mtcwriter.h"

#include <QNetworkDatagram>
#include <QProcess>
#include <QTest>
#include <QUdpSocket>

#include <cstring>

using namespace mtc;

// MIDI timecode through JACK into the real program: a dummy JACK server of
// the test's own, under a name no other test uses, a writer that plays MTC
// on a MIDI port, and quorvane-send --source mtc --input jack:... sending to
// a loopback listener.
class TestMtcJack : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void messagesToDatagrams_data();
    void messagesToDatagrams();

private:
    QProcess m_server;
    QProcess m_sender;
    MtcWriter m_writer;
    QUdpSocket m_display;
};

void TestMtcJack::initTestCase()
{
    const QByteArray server =
        "quorvane-mtc-" + QByteArray::number(QCoreApplication::applicationPid());
    qputenv("JACK_DEFAULT_SERVER", server);
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.setStandardOutputFile(QProcess::nullDevice());
    QVERIFY2(startDummyJack(m_server, QString::fromUtf8(server), 480),
             "jackd (Debian package jackd2) is needed");
    QVERIFY2(m_writer.open("mtcwriter", 10000), "the JACK server did not come up");

    QProcess list;
    list.start(
        QStringLiteral(QUORVANE_SEND_PATH),
        {QStringLiteral("--source"), QStringLiteral("mtc"), QStringLiteral("--list-inputs")});
    QVERIFY(list.waitForFinished());
    QVERIFY(
        list.readAllStandardOutput().split('\n').contains("jack:" + m_writer.portName().toUtf8()));

    QVERIFY(m_display.bind(QHostAddress::LocalHost, 0));
    m_sender.setProcessChannelMode(QProcess::ForwardedChannels);
    m_sender.start(QStringLiteral(QUORVANE_SEND_PATH),
                   {QStringLiteral("--source"), QStringLiteral("mtc"), QStringLiteral("--input"),
                    QStringLiteral("jack:") + m_writer.portName(), QStringLiteral("--port"),
                    QString::number(m_display.localPort())});
    QVERIFY(m_sender.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(m_writer.connected(), 10000);
}

void TestMtcJack::cleanupTestCase()
{
    m_sender.terminate();
    QVERIFY(m_sender.waitForFinished());
    QCOMPARE(m_sender.exitCode(), 0);
    m_writer.close();
    m_server.terminate();
    m_server.waitForFinished();
}

void TestMtcJack::messagesToDatagrams_data()
{
    QTest::addColumn<QByteArray>("midi");
    QTest::addColumn<QByteArrayList>("datagrams");

    // A locate, then play: the full frame at once, then every frame that
    // the quarter-frames make known, two frames on from their sets.
    QTest::newRow("25 fps") << fullFrame("01:00:00:00", 1) + quarterFrames("01:00:00:00", 1, 3)
                            << QByteArrayList{"25 90000 flag 0", "25 90002 flag 0",
                                              "25 90003 flag 0", "25 90004 flag 0",
                                              "25 90005 flag 0", "25 90006 flag 0"};
    QTest::newRow("29.97 drop-frame over a minute")
        << fullFrame("00:00:59;28", 2) + quarterFrames("00:00:59;28", 2, 2)
        << QByteArrayList{"30 1798 flag 1", "30 1802 flag 1", "30 1803 flag 1", "30 1804 flag 1"};
}

void TestMtcJack::messagesToDatagrams()
{
    QFETCH(QByteArray, midi);
    QFETCH(QByteArrayList, datagrams);

    const QList<QByteArray> messages = mtc::messages(midi);
    m_writer.play(messages);
    QByteArrayList received;
    QDeadlineTimer deadline(5000);
    while (received.size() < datagrams.size() && !deadline.hasExpired()) {
        if (m_display.hasPendingDatagrams() || m_display.waitForReadyRead(100))
            received << described(m_display.receiveDatagram().data());
    }
    QCOMPARE(received, datagrams);
    QTRY_COMPARE(m_writer.played(), size_t(messages.size()));
    // Nothing more: no frame is made up after the last message.
    QVERIFY(!m_display.waitForReadyRead(200));
}

QTEST_GUILESS_MAIN(TestMtcJack)
#include "tst_mtcjack.moc"
