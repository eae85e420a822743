// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "iconpicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// Every coordinate below is on a 96 x 96 grid, scaled to the requested size.
constexpr qreal Grid = 96.0;

const QColor OutlineGrey(0x4a, 0x4a, 0x52);
const QColor LightGrey(0xd0, 0xd0, 0xd6);
const QColor MidGrey(0x98, 0x98, 0xa0);
const QColor DarkGrey(0x70, 0x70, 0x78);
const QColor ScreenGreen(0x20, 0xff, 0x40);

void drawStand(QPainter &painter)
{
    painter.setPen(QPen(OutlineGrey, 1.0));
    painter.setBrush(DarkGrey);
    painter.drawRect(QRectF(41, 69, 14, 11));

    QLinearGradient baseShade(0, 79, 0, 87);
    baseShade.setColorAt(0, LightGrey);
    baseShade.setColorAt(1, MidGrey);
    painter.setBrush(baseShade);
    painter.drawRoundedRect(QRectF(26.5, 79.5, 43, 7), 3, 3);
}

void drawCase(QPainter &painter)
{
    QLinearGradient caseShade(0, 11, 0, 71);
    caseShade.setColorAt(0, LightGrey);
    caseShade.setColorAt(1, MidGrey);
    painter.setPen(QPen(OutlineGrey, 1.0));
    painter.setBrush(caseShade);
    painter.drawRoundedRect(QRectF(4.5, 10.5, 87, 60), 5, 5);

    painter.setPen(QPen(DarkGrey, 1.0));
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRectF(10.5, 16.5, 75, 48), 2, 2);
}

// "Time" as stroked centre lines: cap height from y 30 to 50, x-height from
// 36, about 54 units wide and centred on the screen.
QPainterPath timeLetters()
{
    QPainterPath path;
    // T
    path.moveTo(20.5, 32);
    path.lineTo(34.5, 32);
    path.moveTo(27.5, 32);
    path.lineTo(27.5, 50);
    // i (the dot is drawn separately, as a square)
    path.moveTo(39.5, 37);
    path.lineTo(39.5, 50);
    // m
    path.moveTo(45.5, 50);
    path.lineTo(45.5, 36);
    path.moveTo(45.5, 42);
    path.arcTo(QRectF(45.5, 38, 6.5, 8), 180, -180);
    path.lineTo(52, 50);
    path.moveTo(52, 42);
    path.arcTo(QRectF(52, 38, 6.5, 8), 180, -180);
    path.lineTo(58.5, 50);
    // e
    path.moveTo(64, 43);
    path.lineTo(74, 43);
    path.arcTo(QRectF(64, 38, 10, 10), 0, 305);
    return path;
}

void drawText(QPainter &painter, qreal scale)
{
    // Below 32 pixels the strokes would shrink under a pixel and fade away;
    // they keep one pixel's width instead.
    const qreal width = std::max(3.5, 1.0 / scale);
    painter.setPen(QPen(ScreenGreen, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(timeLetters());
    painter.fillRect(QRectF(37.75, 30, 3.5, 3.5), ScreenGreen);
}

} // namespace

namespace IconPicture {

QImage draw(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal scale = size / Grid;
        painter.scale(scale, scale);
        drawStand(painter);
        drawCase(painter);
        drawText(painter, scale);
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace IconPicture
