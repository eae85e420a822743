// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef REFERENCEPAINTER_H
#define REFERENCEPAINTER_H

#include "timecodepainter.h"

class QPainter;
class QSize;

// The plain way of drawing the display, kept as the yardstick for the
// program's painter: every frame draws the scaled bold text anew, so at large
// sizes every glyph outline is filled as a path. Same pictures, same
// interface.
class ReferencePainter
{
public:
    void paint(QPainter &painter, const QSize &size, const DisplayFrame &frame);
};

#endif // REFERENCEPAINTER_H
