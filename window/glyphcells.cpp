// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "glyphcells.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

QFont timecodeFont(const QSize &windowSize)
{
    QFont font(QStringLiteral("Courier New"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(qMin(windowSize.width(), windowSize.height()));
    return font;
}

int twelveDigitWidth(const QFont &font)
{
    return QFontMetrics(font).horizontalAdvance(QStringLiteral("000000000000"));
}

void GlyphCells::setGeometry(const QSize &size, qreal devicePixelRatio)
{
    if (hasGeometry(size, devicePixelRatio))
        return;
    windowSize = size;
    pixelRatio = devicePixelRatio;
    cells.clear();
    differences.clear();
    scratch = QImage();

    lineFont = timecodeFont(size);
    twelveDigits = twelveDigitWidth(lineFont);
    if (twelveDigits <= 0)
        twelveDigits = 1;

    // The raster engine rounds a filled rectangle's edges to the nearest
    // device pixel.
    const QRectF fill = QTransform::fromScale(devicePixelRatio, devicePixelRatio)
                            .mapRect(QRectF(QPointF(0, 0), QSizeF(size)));
    const int left = qRound(fill.left());
    const int top = qRound(fill.top());
    fillRect = QRect(left, top, qRound(fill.right()) - left, qRound(fill.bottom()) - top);

    // The whole line's transformation as a painter on a device of this
    // ratio composes it, to the last bit.
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&probe);
    painter.scale(double(size.width() > 0 ? size.width() : 1) / twelveDigits, 1.0);
    lineTransform = painter.deviceTransform();
}

bool GlyphCells::hasGeometry(const QSize &size, qreal devicePixelRatio) const
{
    return size == windowSize && devicePixelRatio == pixelRatio;
}

const GlyphCells::Cell &GlyphCells::cell(int position, QChar character)
{
    const auto key = std::make_pair(position, character.unicode());
    auto found = cells.find(key);
    if (found == cells.end())
        found = cells.emplace(key, render(position, character)).first;
    return found->second;
}

GlyphCells::Cell GlyphCells::render(int position, QChar character) const
{
    const int deviceWidth = fillRect.width();
    const int deviceHeight = fillRect.height();

    // The line is centred with half a digit free at either side, so place i
    // owns the columns from (i + 0.5) to (i + 1.5) twelfths of the width. The
    // picture takes a quarter of a place more at each side, to see ink that
    // strays.
    const double place = deviceWidth / 12.0;
    const int ownLeft = qRound((position + 0.5) * place);
    const int ownRight = qRound((position + 1.5) * place);
    const int left = qMax(0, int(std::floor((position + 0.25) * place)));
    const int right = qMin(deviceWidth, int(std::ceil((position + 1.75) * place)));
    Cell cell;
    if (right <= left || deviceHeight <= 0)
        return cell;

    QString line(Length, QLatin1Char(' '));
    line[position] = character;

    // The same call as for the whole line: same font, same centring, the
    // same transformation moved by whole device pixels, so that every
    // outline point lands exactly that many pixels over. Trailing spaces
    // must count in the centring as the line's last character does.
    QImage picture(right - left, deviceHeight, QImage::Format_RGB32);
    picture.fill(Qt::black);
    {
        QPainter painter(&picture);
        painter.setWorldTransform(lineTransform * QTransform::fromTranslate(-left, 0));
        painter.setPen(QColor(255, 255, 255));
        painter.setFont(lineFont);
        painter.drawText(QRect(0, 0, twelveDigits, windowSize.height()),
                         Qt::AlignCenter | Qt::TextIncludeTrailingSpaces, line);
    }

    QRect ink;
    const int pictureWidth = picture.width();
    for (int y = 0; y < deviceHeight; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        int first = -1;
        int last = -1;
        for (int x = 0; x < pictureWidth; ++x) {
            if (row[x] & 0xff00) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first >= 0)
            ink |= QRect(first, y, last - first + 1, 1);
    }
    cell.own = true;
    if (ink.isEmpty())
        return cell;

    cell.coverage = QImage(ink.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < ink.height(); ++y) {
        const QRgb *from = reinterpret_cast<const QRgb *>(picture.constScanLine(ink.top() + y));
        uchar *to = cell.coverage.scanLine(y);
        for (int x = 0; x < ink.width(); ++x)
            to[x] = uchar(qGreen(from[ink.left() + x]));
    }
    cell.ink = ink.translated(left, 0);
    // Ink cut off at the picture's edge, rather than the window's, may go on
    // into the next place or beyond the fill.
    const bool cutLeft = ink.left() == 0 && left > 0;
    const bool cutRight = ink.right() == picture.width() - 1 && right < deviceWidth;
    const bool cutVertically = ink.top() == 0 || ink.bottom() == deviceHeight - 1;
    cell.own = !cutLeft && !cutRight && !cutVertically && cell.ink.left() >= ownLeft &&
               cell.ink.right() < ownRight;
    return cell;
}

const QRegion &GlyphCells::difference(int position, QChar from, QChar to)
{
    const auto key = std::make_tuple(position, from.unicode(), to.unicode());
    auto found = differences.find(key);
    if (found != differences.end())
        return found->second;

    // A running show needs a few dozen pairs; arbitrary jumps could ask for
    // every pair, which is more than worth keeping.
    if (differences.size() >= 256)
        differences.clear();

    const Cell &a = cell(position, from);
    const Cell &b = cell(position, to);
    const QRect box = a.ink | b.ink;
    // A row of a cell's coverage over the whole box, zero outside its ink.
    const auto spread = [&box](const Cell &c, int y, std::vector<uchar> &row) {
        std::fill(row.begin(), row.end(), uchar(0));
        if (y >= c.ink.top() && y <= c.ink.bottom())
            std::copy_n(c.coverage.constScanLine(y - c.ink.top()), c.ink.width(),
                        row.begin() + (c.ink.left() - box.left()));
    };
    std::vector<uchar> rowA(size_t(box.width()));
    std::vector<uchar> rowB(size_t(box.width()));

    // Bands of logical rows; in each, the runs of columns where some row
    // differs, runs that nearly meet taken together: few enough rectangles
    // for the window system to take cheaply, and little more than the
    // differences. A logical pixel is taken whole when any device pixel that
    // it touches differs; bands stay apart, so that the region keeps few
    // rectangles at fractional ratios too.
    const qreal r = pixelRatio;
    const auto logicalFloor = [r](int device) { return int(std::floor(device / r)); };
    const auto logicalCeil = [r](int device) { return int(std::ceil(device / r)); };
    constexpr int Bands = 32;
    const int logicalTop = logicalFloor(box.top());
    const int logicalBottom = logicalCeil(box.bottom() + 1);
    const int bandHeight = qMax(1, (logicalBottom - logicalTop + Bands - 1) / Bands);
    const int closeGap = qMax(2, box.width() / 16);
    QRegion region;
    std::vector<bool> differs(size_t(box.width()));
    for (int top = logicalTop; top < logicalBottom; top += bandHeight) {
        const int bottom = qMin(top + bandHeight, logicalBottom);
        std::fill(differs.begin(), differs.end(), false);
        int first = -1;
        int last = -1;
        const int deviceTop = qMax(box.top(), int(std::floor(top * r)));
        const int deviceBottom = qMin(box.bottom(), int(std::ceil(bottom * r)) - 1);
        for (int y = deviceTop; y <= deviceBottom; ++y) {
            spread(a, y, rowA);
            spread(b, y, rowB);
            if (rowA == rowB)
                continue;
            for (size_t x = 0; x < rowA.size(); ++x) {
                if (rowA[x] != rowB[x])
                    differs[x] = true;
            }
            if (first < 0)
                first = y;
            last = y;
        }
        if (first < 0)
            continue;
        const int rectTop = qMax(top, logicalFloor(first));
        const int rectBottom = qMin(bottom, logicalCeil(last + 1));
        const auto addRun = [&](int start, int end) {
            const int left = logicalFloor(box.left() + start);
            region += QRect(left, rectTop, logicalCeil(box.left() + end + 1) - left,
                            rectBottom - rectTop);
        };
        int runStart = -1;
        int runEnd = -1;
        for (int x = 0; x <= box.width(); ++x) {
            const bool on = x < box.width() && differs[size_t(x)];
            if (on && runStart >= 0 && x - runEnd > closeGap) {
                addRun(runStart, runEnd);
                runStart = -1;
            }
            if (on) {
                if (runStart < 0)
                    runStart = x;
                runEnd = x;
            }
        }
        if (runStart >= 0)
            addRun(runStart, runEnd);
    }
    return differences.emplace(key, region).first->second;
}

const QImage &GlyphCells::tile(const Cell &cell, const QRect &part, QRgb colour)
{
    const int width = part.width();
    const int height = part.height();
    if (scratch.width() < width || scratch.height() < height)
        scratch = QImage(qMax(width, scratch.width()), qMax(height, scratch.height()),
                         QImage::Format_RGB32);

    // What a fill with this coverage leaves on black in a pure colour: each
    // full channel takes the coverage, an empty one stays 0.
    Q_ASSERT((qRed(colour) == 0 || qRed(colour) == 255) &&
             (qGreen(colour) == 0 || qGreen(colour) == 255) &&
             (qBlue(colour) == 0 || qBlue(colour) == 255));
    const quint32 red = qRed(colour) ? 0xff0000u : 0;
    const quint32 green = qGreen(colour) ? 0xff00u : 0;
    const quint32 blue = qBlue(colour) ? 0xffu : 0;
    const uchar *coverage = cell.coverage.constBits() + part.left();
    const qsizetype coverageStride = cell.coverage.bytesPerLine();
    uchar *pixels = scratch.bits();
    const qsizetype pixelStride = scratch.bytesPerLine();
    for (int y = 0; y < height; ++y) {
        const uchar *from = coverage + (part.top() + y) * coverageStride;
        quint32 *to = reinterpret_cast<quint32 *>(pixels + y * pixelStride);
        for (int x = 0; x < width; ++x) {
            const quint32 value = from[x];
            to[x] = 0xff000000u | ((value << 16) & red) | ((value << 8) & green) | (value & blue);
        }
    }
    return scratch;
}

qsizetype GlyphCells::bytes() const
{
    qsizetype total = scratch.sizeInBytes();
    for (const auto &entry : cells)
        total += entry.second.coverage.sizeInBytes();
    return total;
}
