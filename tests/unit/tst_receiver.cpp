// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "mainwindow.h"
#include "paintcounter.h"
#include "pixels.h"

#include <QTest>
#include <QUdpSocket>

using namespace Pixels;

// The window's receiver over real loopback sockets, as a sender sees it.

namespace {

// A sender with a source port of its own.
class Sender
{
public:
    Sender() { socket.bind(QHostAddress::LocalHost, 0); }

    void send(qint32 rate, qint32 count) { send(encodeTimecodeDatagram(Timecode{rate, count})); }
    void send(const TimecodeBuffer &buffer, int size = TimecodeDatagramSize)
    {
        QCOMPARE(socket.writeDatagram(reinterpret_cast<const char *>(buffer.data()), size,
                                      QHostAddress::LocalHost, MainWindow::TimecodePort),
                 qint64(size));
    }
    quint16 port() const { return socket.localPort(); }

private:
    QUdpSocket socket;
};

} // namespace

class ReceiverTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newestOfBatchWinsWithOneRepaint();
    void batchEndingInRefusedChangesNothing();
    void firstDatagramIsGreen();
    void otherSourcePortIsNewSender();
    void noTimecodeFromNewSenderGivesRedDashes();
    void refusedDatagramsDoNotHoldOffLoss();
    void longDatagramIsReadAsItsFirst28Bytes();

private:
    const TimecodeState &state() const { return window->timecodeState(); }
    QImage frame() const { return window->grab().toImage(); }
    // Lets the window handle what is pending and repaint.
    void settle() { QTest::qWait(150); }

    MainWindow *window = nullptr;
};

void ReceiverTest::init()
{
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void ReceiverTest::cleanup()
{
    delete window;
    window = nullptr;
}

void ReceiverTest::newestOfBatchWinsWithOneRepaint()
{
    Sender sender;
    settle();
    PaintCounter paints(window);

    // Written before the event loop runs again, so all three are pending
    // together when the window is told.
    sender.send(25, 100);
    sender.send(25, 101);
    sender.send(25, 102);
    QTRY_COMPARE(state().frameCount, 102);
    settle();
    QCOMPARE(paints.count, 1);
}

void ReceiverTest::batchEndingInRefusedChangesNothing()
{
    Sender sender;
    sender.send(25, 100);
    QTRY_COMPARE(state().frameCount, 100);
    const int ticks = state().ticksSinceDatagram;

    sender.send(30, 500);
    sender.send(encodeTimecodeDatagram(Timecode{30, 501}), 27);
    settle();
    QCOMPARE(state().frameCount, 100);
    QCOMPARE(state().frameRate, 25);
    QVERIFY(state().ticksSinceDatagram >= ticks);
}

void ReceiverTest::firstDatagramIsGreen()
{
    Sender sender;
    sender.send(25, 90061);
    QTRY_COMPARE(state().frameCount, 90061);
    QCOMPARE(state().senderPort, sender.port());
    QCOMPARE(state().senderAddress, QHostAddress(QHostAddress::LocalHost));
    QCOMPARE(state().senderChangeTicks, 0);

    const QImage image = frame();
    QVERIFY(find(image, Green).count > 0);
    QCOMPARE(find(image, Red).count, 0);
}

void ReceiverTest::otherSourcePortIsNewSender()
{
    Sender first;
    Sender second;
    first.send(25, 1000);
    QTRY_COMPARE(state().frameCount, 1000);

    second.send(25, 2000);
    QTRY_COMPARE(state().frameCount, 2000);
    QCOMPARE(state().senderPort, second.port());
    QVERIFY(state().senderChangeTicks > 0);
    QVERIFY(find(frame(), Red).count > 0);
    QCOMPARE(find(frame(), Green).count, 0);

    // Half a second later the highlight has run out, with a repaint.
    QTRY_COMPARE_WITH_TIMEOUT(state().senderChangeTicks, 0, 3000);
    QTRY_VERIFY(find(frame(), Green).count > 0);
    QCOMPARE(find(frame(), Red).count, 0);
}

void ReceiverTest::noTimecodeFromNewSenderGivesRedDashes()
{
    Sender first;
    Sender second;
    first.send(25, 1000);
    QTRY_COMPARE(state().frameCount, 1000);

    second.send(25, -1);
    QTRY_COMPARE(state().frameCount, -1);
    QVERIFY(state().senderChangeTicks > 0);
    const QImage image = frame();
    QVERIFY(find(image, Red).count > 0);
    QCOMPARE(find(image, Green).count, 0);
}

void ReceiverTest::refusedDatagramsDoNotHoldOffLoss()
{
    Sender sender;
    Sender stranger;
    sender.send(25, 1000);
    QTRY_COMPARE(state().frameCount, 1000);

    TimecodeBuffer refused = encodeTimecodeDatagram(Timecode{25, 2000});
    refused[23] = 1; // a reserved bit
    QElapsedTimer clock;
    clock.start();
    while (state().frameCount != -1 && clock.elapsed() < 10000) {
        stranger.send(refused);
        QTest::qWait(50);
    }
    QCOMPARE(state().frameCount, -1);
    // Nothing before the two seconds are up; the first tick may come at once.
    QVERIFY2(clock.elapsed() >= 1800, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(state().senderPort, sender.port());
    QCOMPARE(state().ticksSinceDatagram, LossOfSignalTicks);
}

// What comes after the 28th byte is cut off by the read, and the rest is
// judged as usual.
void ReceiverTest::longDatagramIsReadAsItsFirst28Bytes()
{
    QUdpSocket socket;
    QByteArray bytes(100, '\x5a');
    const TimecodeBuffer buffer = encodeTimecodeDatagram(Timecode{50, 4242});
    std::copy(buffer.begin(), buffer.end(), bytes.begin());
    socket.writeDatagram(bytes, QHostAddress::LocalHost, MainWindow::TimecodePort);
    QTRY_COMPARE(state().frameCount, 4242);
    QCOMPARE(state().frameRate, 50);
}

QTEST_MAIN(ReceiverTest)
#include "tst_receiver.moc"
