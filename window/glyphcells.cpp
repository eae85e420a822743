// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "glyphcells.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

void GlyphCells::setGeometry(const QSize &size, qreal devicePixelRatio)
{
    if (hasGeometry(size, devicePixelRatio))
        return;
    windowSize = size;
    pixelRatio = devicePixelRatio;
    cells.clear();
    for (Tile &tile : tiles)
        tile = Tile();

    timecodeFont = QFont(QStringLiteral("Courier New"));
    timecodeFont.setWeight(QFont::Bold);
    timecodeFont.setPixelSize(qMin(size.width(), size.height()));
    twelveDigits = QFontMetrics(timecodeFont).horizontalAdvance(QStringLiteral("000000000000"));
    if (twelveDigits <= 0)
        twelveDigits = 1;
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
    const int deviceWidth = qRound(windowSize.width() * pixelRatio);
    const int deviceHeight = qRound(windowSize.height() * pixelRatio);

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

    // The same call as for the whole line: same font, same scaling, same
    // centring, shifted by whole device pixels. Trailing spaces must count
    // in the centring as the line's last character does.
    QImage picture(right - left, deviceHeight, QImage::Format_RGB32);
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(Qt::black);
    {
        QPainter painter(&picture);
        painter.translate(-left / pixelRatio, 0);
        painter.scale(double(windowSize.width() > 0 ? windowSize.width() : 1) / twelveDigits, 1.0);
        painter.setPen(QColor(255, 255, 255));
        painter.setFont(timecodeFont);
        painter.drawText(QRect(0, 0, twelveDigits, windowSize.height()),
                         Qt::AlignCenter | Qt::TextIncludeTrailingSpaces, line);
    }

    QRect ink;
    const int pictureWidth = picture.width();
    for (int y = 0; y < deviceHeight; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < pictureWidth; ++x) {
            if (row[x] & 0xff00)
                ink |= QRect(x, y, 1, 1);
        }
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
    // into the next place.
    const bool cutLeft = ink.left() == 0 && left > 0;
    const bool cutRight = ink.right() == picture.width() - 1 && right < deviceWidth;
    cell.own = !cutLeft && !cutRight && cell.ink.left() >= ownLeft && cell.ink.right() < ownRight;
    return cell;
}

const QImage &GlyphCells::tile(int position, QChar character, QRgb colour)
{
    Tile &tile = tiles[position];
    if (tile.character == character.unicode() && tile.colour == colour && !tile.image.isNull())
        return tile.image;

    const Cell &source = cell(position, character);
    tile.character = character.unicode();
    tile.colour = colour;
    tile.image = QImage(source.coverage.size(), QImage::Format_RGB32);
    tile.image.setDevicePixelRatio(pixelRatio);
    // What a fill with this coverage leaves on black, for the pure colours
    // of the display: each full channel takes the coverage, an empty one 0.
    QRgb shades[256];
    for (int a = 0; a < 256; ++a) {
        const auto channel = [a](int value) { return (value * a + 127) / 255; };
        shades[a] = qRgb(channel(qRed(colour)), channel(qGreen(colour)), channel(qBlue(colour)));
    }
    const int width = source.coverage.width();
    const int height = source.coverage.height();
    for (int y = 0; y < height; ++y) {
        const uchar *from = source.coverage.constScanLine(y);
        QRgb *to = reinterpret_cast<QRgb *>(tile.image.scanLine(y));
        for (int x = 0; x < width; ++x)
            to[x] = shades[from[x]];
    }
    return tile.image;
}

qsizetype GlyphCells::bytes() const
{
    qsizetype total = 0;
    for (const auto &entry : cells)
        total += entry.second.coverage.sizeInBytes();
    for (const Tile &tile : tiles)
        total += tile.image.sizeInBytes();
    return total;
}
