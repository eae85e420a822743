// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef FRAMECOMPARE_H
#define FRAMECOMPARE_H

#include <QImage>
#include <QString>

// How two renderings of the same frame differ.
//
// A pixel of the display is "solid" when it is exactly the background (opaque
// black) or exactly the frame's full text colour (opaque pure green or red).
// Antialiasing only changes how much of a pixel on the outline a glyph
// covers; it never turns a solid background pixel into a solid text pixel or
// back. So a differing pixel counts as antialiasing when at least one of the
// two values is not solid, and as a shape error when one is solid background
// and the other solid text colour (the glyph is somewhere else).
struct FrameDifference
{
    int differing = 0;   // pixels whose values differ at all
    int shapeErrors = 0; // of those: solid background against solid text colour
    qint64 pixels = 0;
    QString firstAt; // "x,y: a vs b" of the first differing pixel

    double differingShare() const { return pixels ? double(differing) / double(pixels) : 0; }
};

inline FrameDifference compareFrames(const QImage &actual, const QImage &expected, QRgb textColour)
{
    FrameDifference difference;
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage b = expected.convertToFormat(QImage::Format_ARGB32);
    if (a.size() != b.size()) {
        difference.shapeErrors = 1;
        difference.firstAt = QStringLiteral("sizes differ");
        return difference;
    }
    constexpr QRgb Background = 0xff000000;
    const auto solid = [&](QRgb p) { return p == Background || p == textColour; };
    difference.pixels = qint64(a.width()) * a.height();
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *lineA = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const QRgb *lineB = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (lineA[x] == lineB[x])
                continue;
            if (difference.differing++ == 0)
                difference.firstAt = QStringLiteral("%1,%2: %3 vs %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(lineA[x], 8, 16, QLatin1Char('0'))
                                         .arg(lineB[x], 8, 16, QLatin1Char('0'));
            if (solid(lineA[x]) && solid(lineB[x]))
                ++difference.shapeErrors;
        }
    }
    return difference;
}

#endif // FRAMECOMPARE_H
