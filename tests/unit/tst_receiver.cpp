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

// A sender with a source port of its own, on 127.0.0.1 or another loopback
// address, which the window sees as another host.
class Sender
{
public:
    explicit Sender(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost))
    {
        socket.bind(address, 0);
    }

    void send(qint32 rate, qint32 count) { send(encodeTimecodeDatagram(Timecode{rate, count})); }
    void send(const TimecodeBuffer &buffer, int size = TimecodeDatagramSize)
    {
        QCOMPARE(socket.writeDatagram(reinterpret_cast<const char *>(buffer.data()), size,
                                      QHostAddress::LocalHost, MainWindow::TimecodePort),
                 qint64(size));
    }
    quint16 port() const { return socket.localPort(); }
    QHostAddress address() const { return socket.localAddress(); }

private:
    QUdpSocket socket;
};

// Notes the frame count that each repaint of the window shows.
class PaintedFrames : public QObject
{
public:
    explicit PaintedFrames(MainWindow *window) : window(window)
    {
        window->installEventFilter(this);
    }
    QList<qint32> counts;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            counts.append(window->timecodeState().frameCount);
        return false;
    }

private:
    MainWindow *window;
};

} // namespace

class ReceiverTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newestOfBatchWinsWithOneRepaint();
    void batchTakesNewestValid_data();
    void batchTakesNewestValid();
    void junkBehindEveryFrameHidesNone();
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

// Each step is "SENDER:WHAT": sender A or B (another host), WHAT a count
// for a valid datagram, or junk: "empty", "short" (27 bytes) or "reserved"
// (a reserved bit set). Before the batch, sender C shows count 50.
void ReceiverTest::batchTakesNewestValid_data()
{
    QTest::addColumn<QStringList>("batch");
    QTest::addColumn<qint32>("count");
    QTest::addColumn<QString>("sender");

    QTest::newRow("valid then junk") << QStringList{"A:100", "A:empty"} << 100 << "A";
    QTest::newRow("junk then valid") << QStringList{"B:reserved", "A:101"} << 101 << "A";
    QTest::newRow("valid from A then junk from B") << QStringList{"A:102", "B:empty"} << 102 << "A";
    QTest::newRow("valid from A then valid from B") << QStringList{"A:103", "B:104"} << 104 << "B";
    QTest::newRow("valid and junk interleaved")
        << QStringList{"A:105", "B:short", "B:106", "A:empty"} << 106 << "B";
    QTest::newRow("junk only") << QStringList{"B:empty", "A:short", "A:reserved"} << 50 << "C";
}

void ReceiverTest::batchTakesNewestValid()
{
    QFETCH(QStringList, batch);
    QFETCH(qint32, count);
    QFETCH(QString, sender);

    Sender a;
    Sender b(QHostAddress(QStringLiteral("127.0.0.2")));
    Sender c;
    c.send(25, 50);
    QTRY_COMPARE(state().frameCount, 50);

    TimecodeBuffer reserved = encodeTimecodeDatagram(Timecode{25, 7});
    reserved[23] = 1;
    // Written before the event loop runs again: one batch.
    for (const QString &step : batch) {
        Sender &from = step.startsWith('A') ? a : b;
        const QString what = step.mid(2);
        if (what == QLatin1String("empty"))
            from.send(reserved, 0);
        else if (what == QLatin1String("short"))
            from.send(encodeTimecodeDatagram(Timecode{25, 8}), TimecodeDatagramSize - 1);
        else if (what == QLatin1String("reserved"))
            from.send(reserved);
        else
            from.send(25, what.toInt());
    }
    settle();

    const Sender &expected = sender == QLatin1String("A")   ? a
                             : sender == QLatin1String("B") ? b
                                                            : c;
    QCOMPARE(state().frameCount, count);
    QCOMPARE(state().senderAddress, expected.address());
    QCOMPARE(state().senderPort, expected.port());
}

// Another host answers every frame with an empty datagram that lands right
// behind it. Every frame must still be shown, and the display must never
// fall back to dashes.
void ReceiverTest::junkBehindEveryFrameHidesNone()
{
    Sender sender;
    Sender junk(QHostAddress(QStringLiteral("127.0.0.2")));
    PaintedFrames painted(window);
    constexpr int Frames = 100; // four seconds: twice the time to loss of signal
    constexpr qint32 First = 90000;

    QElapsedTimer clock;
    clock.start();
    for (int n = 0; n < Frames; ++n) {
        sender.send(25, First + n);
        junk.send(TimecodeBuffer{}, 0);
        // 25 frames a second, but the next one waits for this one's paint: a
        // machine too busy to paint before the next frame is due would merge
        // two frames into one paint, which is no fault of the receiver.
        QElapsedTimer waited;
        waited.start();
        while ((!painted.counts.contains(First + n) || clock.elapsed() < (n + 1) * 40) &&
               waited.elapsed() < 2000)
            QTest::qWait(1);
        QVERIFY2(painted.counts.contains(First + n),
                 qPrintable(QStringLiteral("frame %1 of %2 never painted").arg(n + 1).arg(Frames)));
    }
    settle();

    const QList<qint32> shown = painted.counts.mid(painted.counts.indexOf(First));
    QSet<qint32> distinct(shown.cbegin(), shown.cend());
    QVERIFY2(!distinct.contains(NoTimecode), "dashes painted during the stream");
    QCOMPARE(distinct.size(), Frames);
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
