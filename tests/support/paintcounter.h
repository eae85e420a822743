// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef PAINTCOUNTER_H
#define PAINTCOUNTER_H

#include <QPaintEvent>
#include <QRegion>
#include <QWidget>

// Counts the repaints a widget receives and the area they cover.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;
    QRegion area;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++count;
            area += static_cast<QPaintEvent *>(event)->region();
        }
        return false;
    }
};

#endif // PAINTCOUNTER_H
