// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The receiving end of the link and the 100 ms watchdog tick.

#include "mainwindow.h"

#include "datagramdrain.h"

void MainWindow::processPendingDatagrams()
{
    // Drain the whole queue and take the newest datagram that passes: a
    // backlog costs one decode per datagram and at most one repaint, the
    // display never works through stale timecodes, and junk behind a valid
    // frame does not hide it. Longer datagrams are cut to 28 bytes by the read.
    const std::optional<ReceivedTimecode> newest = drainNewestValid(udpSocket);
    if (!newest)
        return;

    const DisplayFrame before = displayFrame();
    acceptTimecode(timecode, newest->timecode, newest->address, newest->port);
    updateScreenAwake();
    // Only the characters that change are repainted.
    update(timecodePainter.changedArea(size(), devicePixelRatioF(), before, displayFrame()));
}

void MainWindow::timerTimeout()
{
    if (!tickEnabled)
        return;
    tickEnabled = false;
    if (countTick(timecode)) {
        updateScreenAwake();
        update();
    }
    tickEnabled = true;
}
