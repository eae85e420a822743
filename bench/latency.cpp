// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "benchmarks.h"
#include "loopback.h"
#include "probewindow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <algorithm>

LatencyFigures measureLatency(ProbeWindow &window, int samples)
{
    LatencyFigures figures;
    LoopbackSocket sender;
    std::vector<double> times;
    qint32 count = 500000;
    for (int i = 0; i < samples; ++i) {
        window.awaited = ++count;
        window.shown = false;
        window.clock.start();
        sender.send(encodeTimecodeDatagram(Timecode{25, count}), MainWindow::TimecodePort);
        const QDeadlineTimer deadline(1000);
        while (!window.shown && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (window.shown)
            times.push_back(window.shownAtNs / 1000.0);
        else
            ++figures.lost;
    }
    if (times.empty())
        return figures;
    std::sort(times.begin(), times.end());
    figures.samples = int(times.size());
    figures.medianUs = times[times.size() / 2];
    figures.p99Us = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    return figures;
}
