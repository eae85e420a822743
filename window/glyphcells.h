// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef GLYPHCELLS_H
#define GLYPHCELLS_H

#include <QChar>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>

#include <map>
#include <utility>

// The timecode's characters as pictures, each rendered once for a window
// size exactly where it stands in the line and kept for the next frames.
//
// Large glyphs are not cached by Qt's raster engine: every frame would fill
// their outlines anew. A character of a monospaced line always stands at the
// same place, so the pixels it leaves are the same whenever it is there; this
// class renders each (position, character) once through the very same text
// call that draws the whole line (the other places hold spaces) and keeps its
// coverage. Copied into the window over black, it gives the pixels that the
// whole line would give there, as long as no other character's ink shares
// its pixel columns; cells that cannot promise that say so.
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

    // The timecode font of this window: bold "Courier New" at a pixel size of
    // min(width, height), and the width of twelve digits in it.
    const QFont &font() const { return timecodeFont; }
    int measure() const { return twelveDigits; }

    // Renders the cell on first use.
    const Cell &cell(int position, QChar character);

    // The cell's ink in a colour over black, as RGB32; the last one asked for
    // at each position is kept.
    const QImage &tile(int position, QChar character, QRgb colour);

    // Bytes held in pictures.
    qsizetype bytes() const;

private:
    Cell render(int position, QChar character) const;

    QSize windowSize;
    qreal pixelRatio = 0;
    QFont timecodeFont;
    int twelveDigits = 1;
    std::map<std::pair<int, char16_t>, Cell> cells;

    struct Tile
    {
        char16_t character = 0;
        QRgb colour = 0;
        QImage image;
    };
    Tile tiles[Length];
};

#endif // GLYPHCELLS_H
