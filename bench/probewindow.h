// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef PROBEWINDOW_H
#define PROBEWINDOW_H

#include "mainwindow.h"

#include <QElapsedTimer>

// The program's window, noting when a paint that shows an awaited frame
// count has ended.
class ProbeWindow : public MainWindow
{
public:
    qint32 awaited = -1;
    bool shown = false;
    qint64 shownAtNs = 0;
    QElapsedTimer clock;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        MainWindow::paintEvent(event);
        if (!shown && timecodeState().frameCount == awaited) {
            shownAtNs = clock.nsecsElapsed();
            shown = true;
        }
    }
};

#endif // PROBEWINDOW_H
