// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The receiving end of the link and the 100 ms watchdog tick.

#include "mainwindow.h"

void MainWindow::processPendingDatagrams()
{
    // Drain the whole queue into one buffer and judge only the newest
    // datagram: a backlog costs one decode and one repaint, and the display
    // never works through stale timecodes. Longer datagrams are cut to 28
    // bytes by the read.
    TimecodeBuffer buffer;
    QHostAddress address;
    quint16 port = 0;
    qint64 bytesRead = -1;
    do {
        bytesRead = udpSocket.readDatagram(reinterpret_cast<char *>(buffer.data()), buffer.size(),
                                           &address, &port);
    } while (udpSocket.hasPendingDatagrams());

    const std::optional<Timecode> decoded = decodeTimecodeDatagram(buffer, bytesRead);
    if (!decoded)
        return;

    acceptTimecode(timecode, *decoded, address, port);
    update();
}

void MainWindow::timerTimeout()
{
    if (!tickEnabled)
        return;
    tickEnabled = false;
    if (countTick(timecode))
        update();
    tickEnabled = true;
}
