// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Painting the display and the frame-rate label switch.

#include "mainwindow.h"

#include <QPainter>

DisplayFrame MainWindow::displayFrame() const
{
    return DisplayFrame{timecode.frameCount, timecode.frameRate, timecode.senderChangeTicks > 0,
                        displayFps};
}

// The painter is handed the whole window every time; a partial update only
// clips what reaches the screen.
void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    timecodePainter.paint(painter, size(), displayFrame());
}

void MainWindow::toggleDisplayFps()
{
    displayFps = !displayFps;
    update();
}
