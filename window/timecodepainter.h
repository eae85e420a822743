// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef TIMECODEPAINTER_H
#define TIMECODEPAINTER_H

#include <QtGlobal>

class QPainter;
class QSize;

// Everything one frame of the display depends on.
struct DisplayFrame
{
    qint32 frameCount = -1;
    qint32 frameRate = 0;
    bool highlighted = false; // a new sender has just taken over: red digits
    bool displayFps = false;  // the frame-rate label at the bottom left
};

// Draws the whole display into a painter that is open on a device of the
// given size: black background, the optional grey "NN fps" label in the
// painter's current font, and the timecode in bold "Courier New" at a pixel
// size of min(width, height), stretched so that twelve digits span the width.
class TimecodePainter
{
public:
    void paint(QPainter &painter, const QSize &size, const DisplayFrame &frame);
};

#endif // TIMECODEPAINTER_H
