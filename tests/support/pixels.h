// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef PIXELS_H
#define PIXELS_H

#include <QImage>
#include <QRect>

// Small questions to ask of a rendered frame.
namespace Pixels {

constexpr QRgb Black = 0xff000000;
constexpr QRgb Green = 0xff00ff00;
constexpr QRgb Red = 0xffff0000;
constexpr QRgb Grey = 0xffa0a0a4; // Qt::gray

// Pixels exactly of the colour, and the smallest rectangle holding them.
struct Area
{
    int count = 0;
    QRect bounds;
};

inline Area find(const QImage &image, QRgb colour, const QRect &within = QRect())
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRect region = within.isNull() ? rgb.rect() : within & rgb.rect();
    Area area;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = region.left(); x <= region.right(); ++x) {
            if ((line[x] | 0xff000000) == colour) {
                ++area.count;
                area.bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

// Everything drawn over the black background within a region.
inline QRect inkBounds(const QImage &image, const QRect &within)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRect region = within & rgb.rect();
    QRect bounds;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = region.left(); x <= region.right(); ++x) {
            if ((line[x] | 0xff000000) != Black)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// Pixels that are neither black nor a shade of the given pure colour: what
// a stray label, a wrong colour or a leftover from an earlier frame leaves.
inline int countForeign(const QImage &image, QRgb colour)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int foreign = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = line[x];
            const bool shade = (qRed(colour) || !qRed(p)) && (qGreen(colour) || !qGreen(p)) &&
                               (qBlue(colour) || !qBlue(p));
            if (!shade)
                ++foreign;
        }
    }
    return foreign;
}

} // namespace Pixels

#endif // PIXELS_H
