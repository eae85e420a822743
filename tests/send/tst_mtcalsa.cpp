// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "mtcmessages.h"
#include "timecodedatagram.h"

#include <QFileInfo>
#include <QNetworkDatagram>
#include <QProcess>
#include <QTest>
#include <QUdpSocket>

#include <rtmidi/RtMidi.h>

#include <cstdio>
#include <cstring>
#include <thread>

using namespace mtc;

// MIDI timecode through the ALSA sequencer: a virtual output port of the
// test's own feeds quorvane-send --source mtc --input NAME. Machines without
// the kernel's sequencer report the test as skipped, never as passed.
class TestMtcAlsa : public QObject
{
    Q_OBJECT

private slots:
    void quarterFramesToDatagrams();
};

void TestMtcAlsa::quarterFramesToDatagrams()
{
    const std::string client = "quorvane-mtc-" + std::to_string(QCoreApplication::applicationPid());
    RtMidiOut out(RtMidi::LINUX_ALSA, client);
    out.openVirtualPort("out");

    QUdpSocket display;
    QVERIFY(display.bind(QHostAddress::LocalHost, 0));
    QProcess sender;
    sender.setProcessChannelMode(QProcess::ForwardedChannels);
    sender.start(QStringLiteral(QUORVANE_SEND_PATH),
                 {QStringLiteral("--source"), QStringLiteral("mtc"), QStringLiteral("--input"),
                  QString::fromStdString(client), QStringLiteral("--port"),
                  QString::number(display.localPort())});
    QVERIFY(sender.waitForStarted());
    // Connected once a full frame gets through.
    const QByteArray locate = fullFrame("01:00:00:00", 1);
    for (int i = 0; i < 100 && !display.hasPendingDatagrams(); ++i) {
        out.sendMessage(reinterpret_cast<const unsigned char *>(locate.constData()),
                        size_t(locate.size()));
        display.waitForReadyRead(50);
    }
    QVERIFY2(display.hasPendingDatagrams(), "quorvane-send never got the full frame");
    while (display.hasPendingDatagrams() || display.waitForReadyRead(100))
        display.receiveDatagram();

    // Quarter-frames at the pace of 25 fps.
    for (const QByteArray &message : messages(quarterFrames("01:00:00:00", 1, 3))) {
        out.sendMessage(reinterpret_cast<const unsigned char *>(message.constData()),
                        size_t(message.size()));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    QList<std::int32_t> counts;
    while (counts.size() < 5 && (display.hasPendingDatagrams() || display.waitForReadyRead(2000))) {
        const QByteArray data = display.receiveDatagram().data();
        TimecodeBuffer buffer{};
        std::memcpy(buffer.data(), data.constData(), std::min<size_t>(buffer.size(), data.size()));
        counts << decodeTimecodeDatagram(buffer, data.size()).value_or(Timecode{}).frameCount;
    }
    QCOMPARE(counts, (QList<std::int32_t>{90002, 90003, 90004, 90005, 90006}));

    sender.terminate();
    QVERIFY(sender.waitForFinished());
    QCOMPARE(sender.exitCode(), 0);
}

int main(int argc, char *argv[])
{
    if (!QFileInfo::exists(QStringLiteral("/dev/snd/seq"))) {
        std::puts("skipped: no ALSA sequencer here (/dev/snd/seq is missing)");
        return 77;
    }
    QCoreApplication app(argc, argv);
    TestMtcAlsa test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mtcalsa.moc"
