// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "windowdecisions.h"

#include <QTest>

using namespace WindowDecisions;

class WindowDecisionsTest : public QObject
{
    Q_OBJECT

private slots:
    void keepAwake_data();
    void keepAwake();
    void platform_data();
    void platform();
    void placement_data();
    void placement();
};

void WindowDecisionsTest::keepAwake_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("timecode");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<bool>("awake");

    QTest::newRow("dashes in a window") << true << false << false << false;
    QTest::newRow("timecode in a window") << true << true << false << true;
    QTest::newRow("dashes in full screen") << true << false << true << true;
    QTest::newRow("timecode in full screen") << true << true << true << true;
    QTest::newRow("minimized with timecode") << false << true << false << false;
    QTest::newRow("hidden in full screen") << false << false << true << false;
}

void WindowDecisionsTest::keepAwake()
{
    QFETCH(bool, shown);
    QFETCH(bool, timecode);
    QFETCH(bool, fullScreen);
    QTEST(shouldKeepAwake(shown, timecode, fullScreen), "awake");
}

void WindowDecisionsTest::platform_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("qtQpaPlatform");
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<QByteArray>("sessionType");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("preferred");

    const QStringList plain{"quorvane"};
    const QByteArray both = "xcb;wayland";
    QTest::newRow("Wayland with XWayland") << plain << QByteArray() << QByteArray("wayland-0")
                                           << QByteArray("wayland") << QByteArray(":0") << both;
    QTest::newRow("session type only") << plain << QByteArray() << QByteArray()
                                       << QByteArray("wayland") << QByteArray(":0") << both;
    QTest::newRow("no X display") << plain << QByteArray() << QByteArray("wayland-0")
                                  << QByteArray("wayland") << QByteArray() << QByteArray();
    QTest::newRow("X session") << plain << QByteArray() << QByteArray() << QByteArray("x11")
                               << QByteArray(":0") << QByteArray();
    QTest::newRow("chosen by environment")
        << plain << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray("wayland")
        << QByteArray(":0") << QByteArray();
    QTest::newRow("chosen by -platform")
        << QStringList{"quorvane", "-platform", "wayland"} << QByteArray()
        << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray(":0") << QByteArray();
    QTest::newRow("chosen by --platform")
        << QStringList{"quorvane", "--platform", "wayland"} << QByteArray()
        << QByteArray("wayland-0") << QByteArray() << QByteArray(":0") << QByteArray();
}

void WindowDecisionsTest::platform()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, qtQpaPlatform);
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, sessionType);
    QFETCH(QByteArray, display);
    QTEST(preferredPlatform({arguments, qtQpaPlatform, waylandDisplay, sessionType, display}),
          "preferred");
}

void WindowDecisionsTest::placement_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("preferred");
    QTest::addColumn<QRect>("placed");

    const QRect left(0, 0, 1280, 1024);
    const QRect right(1280, 0, 1280, 1024);
    const QRect window(1400, 100, 400, 200);
    QTest::newRow("on a screen stays") << window << QList<QRect>{left, right} << right << window;
    QTest::newRow("half off, centre on") << QRect(1000, 100, 400, 200) << QList<QRect>{left}
                                         << QRect() << QRect(1000, 100, 400, 200);
    QTest::newRow("screen gone, to the first")
        << window << QList<QRect>{left} << right << QRect(440, 412, 400, 200);
    QTest::newRow("to the full-screen screen")
        << QRect(3000, 100, 400, 200) << QList<QRect>{left, right} << right
        << QRect(1720, 412, 400, 200);
    QTest::newRow("too big, shrunk")
        << QRect(-5000, 0, 2000, 2000) << QList<QRect>{left} << QRect() << left;
    QTest::newRow("no screens") << window << QList<QRect>{} << QRect() << window;
}

void WindowDecisionsTest::placement()
{
    QFETCH(QRect, frame);
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, preferred);
    QTEST(placeOnScreens(frame, screens, preferred), "placed");
}

QTEST_APPLESS_MAIN(WindowDecisionsTest)
#include "tst_windowdecisions.moc"
