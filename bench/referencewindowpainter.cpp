// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The window's painter for quorvane-reference: the whole window is drawn by
// the plain painter on every repaint, so that the whole program can be timed
// against the real one.

#include "referencepainter.h"
#include "timecodepainter.h"

#include <QPainter>

void TimecodePainter::paint(QPainter &painter, const QSize &size, const DisplayFrame &frame)
{
    ReferencePainter().paint(painter, size, frame);
}

QRegion TimecodePainter::changedArea(const QSize &size, qreal, const DisplayFrame &,
                                     const DisplayFrame &)
{
    return QRegion(QRect(QPoint(0, 0), size));
}
