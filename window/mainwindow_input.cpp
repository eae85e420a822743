// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The receiving end of the link and the 100 ms watchdog tick.

#include "mainwindow.h"

#include "datagramdrain.h"

void MainWindow::processPendingDatagrams()
{
    // Drain the whole queue and judge only the newest datagram: a backlog
    // costs one decode and one repaint, and the display never works through
    // stale timecodes. Longer datagrams are cut to 28 bytes by the read.
    const NewestDatagram newest = drainNewest(udpSocket);
    const std::optional<Timecode> decoded = decodeTimecodeDatagram(newest.buffer, newest.bytesRead);
    if (!decoded)
        return;

    const DisplayFrame before = displayFrame();
    acceptTimecode(timecode, *decoded, newest.address, newest.port);
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
