// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Painting the display and the frame-rate label switch.

#include "mainwindow.h"

#include <QPainter>

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    timecodePainter.paint(painter, size(),
                          DisplayFrame{timecode.frameCount, timecode.frameRate,
                                       timecode.senderChangeTicks > 0, displayFps});
}

void MainWindow::toggleDisplayFps()
{
    displayFps = !displayFps;
    update();
}
