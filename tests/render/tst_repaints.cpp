// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// What the window asks to repaint: nothing without signal, one repaint for a
// backlog, and only the changing characters for the next frame.

#include "mainwindow.h"
#include "paintcounter.h"

#include <QPaintEvent>
#include <QTest>
#include <QUdpSocket>

class RepaintsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void idleWindowAsksForNothing();
    void backlogGivesOneRepaint();
    void nextFrameRepaintsOnlyItsCharacters();

private:
    void send(qint32 rate, qint32 count)
    {
        const TimecodeBuffer datagram = encodeTimecodeDatagram(Timecode{rate, count});
        QCOMPARE(sender.writeDatagram(reinterpret_cast<const char *>(datagram.data()),
                                      qint64(datagram.size()), QHostAddress::LocalHost,
                                      MainWindow::TimecodePort),
                 qint64(datagram.size()));
    }

    MainWindow *window = nullptr;
    QUdpSocket sender;
};

void RepaintsTest::init()
{
    sender.bind(QHostAddress::LocalHost, 0);
    window = new MainWindow;
    window->resize(800, 400);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::qWait(200);
}

void RepaintsTest::cleanup()
{
    delete window;
    window = nullptr;
    sender.close();
}

// The watchdog ticks ten times a second, but without signal nothing it
// counts changes the picture.
void RepaintsTest::idleWindowAsksForNothing()
{
    PaintCounter paints(window);
    QTest::qWait(2500);
    QCOMPARE(paints.count, 0);
}

void RepaintsTest::backlogGivesOneRepaint()
{
    send(25, 1000);
    QTRY_COMPARE(window->timecodeState().frameCount, 1000);
    QTest::qWait(150);

    // All written before the event loop runs again. Two hundred fit in the
    // socket's default queue.
    PaintCounter paints(window);
    for (qint32 count = 2001; count <= 2200; ++count)
        send(25, count);
    QTRY_COMPARE(window->timecodeState().frameCount, 2200);
    QTest::qWait(150);
    QCOMPARE(paints.count, 1);

    // The same timecode again changes nothing on the screen.
    send(25, 2200);
    QTest::qWait(200);
    QCOMPARE(paints.count, 1);
}

void RepaintsTest::nextFrameRepaintsOnlyItsCharacters()
{
    send(25, 90061);
    QTRY_COMPARE(window->timecodeState().frameCount, 90061);
    QTest::qWait(150);

    PaintCounter paints(window);
    send(25, 90062); // " 1:00:02,11" -> " 1:00:02,12": the last place only
    QTRY_COMPARE(paints.count, 1);
    const QRect area = paints.area.boundingRect();
    QVERIFY2(area.left() > window->width() * 10 / 12 && area.width() < window->width() / 6,
             qPrintable(QStringLiteral("repainted %1,%2 %3x%4")
                            .arg(area.x())
                            .arg(area.y())
                            .arg(area.width())
                            .arg(area.height())));
}

QTEST_MAIN(RepaintsTest)
#include "tst_repaints.moc"
