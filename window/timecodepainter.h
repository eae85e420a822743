// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef TIMECODEPAINTER_H
#define TIMECODEPAINTER_H

#include "glyphcells.h"

#include <QRegion>
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

    bool operator==(const DisplayFrame &other) const
    {
        return frameCount == other.frameCount && frameRate == other.frameRate &&
               highlighted == other.highlighted && displayFps == other.displayFps;
    }
    bool operator!=(const DisplayFrame &other) const { return !(*this == other); }
};

// Draws the whole display into a painter that is open on a device of the
// given size: black background, the optional grey "NN fps" label in the
// painter's current font, and the timecode in bold "Courier New" at a pixel
// size of min(width, height), stretched so that twelve digits span the width.
//
// paintPlain() draws the scaled text whole, which defines what a frame looks
// like. To make frames cheaper at large sizes, a cached painter keeps each
// character's pixels once rendered (see GlyphCells) and gives the very same
// pixels; it is meant to live as long as its window.
class TimecodePainter
{
public:
    enum class Mode {
        Cached,
        Plain, // every frame drawn by paintPlain(), the whole window repainted
    };

    explicit TimecodePainter(Mode mode = Mode::Cached) : mode(mode) {}

    void paint(QPainter &painter, const QSize &size, const DisplayFrame &frame);

    static void paintPlain(QPainter &painter, const QSize &size, const DisplayFrame &frame);

    // The part of a window of this size (in its own coordinates) whose pixels
    // differ between two frames: the rows and columns where the characters
    // that change differ, the whole window when that cannot be told cheaply,
    // nothing when the two look alike.
    QRegion changedArea(const QSize &size, qreal devicePixelRatio, const DisplayFrame &from,
                        const DisplayFrame &to);

    // Bytes held in cached pictures.
    qsizetype cacheBytes() const { return cells.bytes(); }

private:
    bool paintCells(QPainter &painter, const QSize &size, const DisplayFrame &frame);

    Mode mode;
    GlyphCells cells;
};

#endif // TIMECODEPAINTER_H
