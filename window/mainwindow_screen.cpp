// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// What a display in a show needs from the screen: it stays awake while there
// is something to see, the pointer keeps off the digits in full screen, and
// the window never ends up on a screen that is gone.

#include "mainwindow.h"

#include "screenawake.h"
#include "windowdecisions.h"
#include "windowplatform.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace {
// Time for the window manager to put the window back after full screen, or
// to rearrange the screens, before the window's place is judged.
constexpr int PlacementSettleMs = 250;
} // namespace

void MainWindow::setUpScreenCare()
{
    screenAwake = std::make_unique<ScreenAwake>();

    // Mouse movement must reach the window even with no button pressed.
    setMouseTracking(true);
    pointerTimer.setSingleShot(true);
    pointerTimer.setInterval(PointerHideMs);
    connect(&pointerTimer, &QTimer::timeout, this, [this] {
        if (isFullScreen())
            setCursor(Qt::BlankCursor);
    });

    placementTimer.setSingleShot(true);
    placementTimer.setInterval(PlacementSettleMs);
    connect(&placementTimer, &QTimer::timeout, this, &MainWindow::keepOnScreen);
    connect(qGuiApp, &QGuiApplication::screenRemoved, &placementTimer, qOverload<>(&QTimer::start));
}

bool MainWindow::isKeepingScreenAwake() const
{
    return screenAwake && screenAwake->isHeld();
}

void MainWindow::updateScreenAwake()
{
    if (!screenAwake)
        return;
    screenAwake->hold(WindowDecisions::shouldKeepAwake(
        isVisible() && !isMinimized(), timecode.frameCount != NoTimecode, isFullScreen()));
}

void MainWindow::fullScreenChanged(bool entered)
{
    if (entered) {
        fullScreenScreen = screen();
        pointerTimer.start();
        return;
    }
    pointerTimer.stop();
    unsetCursor();
    placementTimer.start();
}

void MainWindow::keepOnScreen()
{
    if (isFullScreen() || !isVisible())
        return;
    QList<QRect> screens;
    const QList<QScreen *> all = QGuiApplication::screens();
    for (const QScreen *each : all)
        screens.append(each->availableGeometry());
    const QRect preferred = fullScreenScreen && all.contains(fullScreenScreen)
                                ? fullScreenScreen->availableGeometry()
                                : QRect();
    const QRect frame = frameGeometry();
    const QRect placed = WindowDecisions::placeOnScreens(frame, screens, preferred);
    if (placed == frame)
        return;
    // The frame is placed; the client area follows inside it.
    const QRect client = geometry();
    resize(client.size() - (frame.size() - placed.size()));
    move(placed.topLeft());
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (isFullScreen()) {
        unsetCursor();
        pointerTimer.start();
    }
    QMainWindow::mouseMoveEvent(event);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    updateScreenAwake();
}

void MainWindow::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    updateScreenAwake();
}
