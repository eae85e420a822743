// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef GLYPHCELLS_H
#define GLYPHCELLS_H

#include <QChar>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QTransform>

#include <map>
#include <tuple>
#include <utility>

// The timecode font of a window of this size: bold "Courier New" at a pixel
// size of min(width, height).
QFont timecodeFont(const QSize &windowSize);
// The width of "000000000000" in that font, which is stretched to the window's.
int twelveDigitWidth(const QFont &font);

// The timecode's characters as pictures in device pixels, each rendered once
// for a window size and pixel ratio exactly where it stands in the line, and
// kept for the next frames.
//
// Large glyphs are not cached by Qt's raster engine: every frame would fill
// their outlines anew. A character of a monospaced line always stands at the
// same place, so the pixels it leaves are the same whenever it is there; this
// class renders each (position, character) once through the very same text
// call that draws the whole line (the other places hold spaces), with the
// very same transformation shifted by whole device pixels, and keeps its
// coverage. Copied into the window over black, it gives the pixels that the
// whole line would give there, at any pixel ratio, as long as no other
// character's ink shares its pixel columns; cells that cannot promise that
// say so.
class GlyphCells
{
public:
    static constexpr int Length = 11; // " 1:00:02,11" and "--:--:--,--"

    struct Cell
    {
        QRect ink;        // in device pixels of the window; empty for no ink
        QImage coverage;  // Grayscale8, ink-sized: 0 background, 255 full ink
        bool own = false; // the ink stays within this place's own columns
    };

    // Keeps the cells while the window's size and pixel ratio stay.
    void setGeometry(const QSize &size, qreal devicePixelRatio);
    bool hasGeometry(const QSize &size, qreal devicePixelRatio) const;

    const QFont &font() const { return lineFont; }
    // The device pixels that the window's black fill covers.
    const QRect &deviceRect() const { return fillRect; }

    // Renders the cell on first use.
    const Cell &cell(int position, QChar character);

    // Where, in the window's logical pixels, its pixels differ between two
    // characters at a place: a few bands of rows, each cut into runs of
    // columns where the glyphs differ. Both cells must be their own. The
    // reference stays valid until the next call.
    const QRegion &difference(int position, QChar from, QChar to);

    // A part of the cell's ink box (in the box's own coordinates) in a pure
    // colour over black, as RGB32 at the top left of a picture that the next
    // call reuses.
    const QImage &tile(const Cell &cell, const QRect &part, QRgb colour);

    // Bytes held in pictures.
    qsizetype bytes() const;

private:
    Cell render(int position, QChar character) const;

    QSize windowSize;
    qreal pixelRatio = 0;
    QFont lineFont;
    int twelveDigits = 1;
    QRect fillRect;
    QTransform lineTransform; // the whole line's, logical to device pixels
    std::map<std::pair<int, char16_t>, Cell> cells;
    std::map<std::tuple<int, char16_t, char16_t>, QRegion> differences;
    QImage scratch;
};

#endif // GLYPHCELLS_H
