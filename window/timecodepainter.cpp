// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodepainter.h"

#include "timecodedatagram.h"
#include "timecodetext.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QRect>

#include <cmath>

namespace {

const QColor Background(0, 0, 0, 255);
const QColor Green(0, 255, 0, 255);
const QColor Red(255, 0, 0, 255);

QColor timecodeColour(const DisplayFrame &frame)
{
    return frame.highlighted ? Red : Green;
}

QString fpsLabel(const DisplayFrame &frame)
{
    return QCoreApplication::translate("MainWindow", "%1 fps")
        .arg(effectiveFrameRate(frame.frameRate));
}

// Where the label's baseline starts: the painter's font is still the
// window's here, and one sized in points reports a pixel size of -1.
QPointF labelOrigin(const QPainter &painter, const QSize &size)
{
    return QPointF(8.0, size.height() - 10 - painter.font().pixelSize());
}

} // namespace

void TimecodePainter::paint(QPainter &painter, const QSize &size, const DisplayFrame &frame)
{
    if (mode == Mode::Plain || !paintCells(painter, size, frame))
        paintPlain(painter, size, frame);
}

// The straightforward way: the scaled text drawn whole. The cells promise to
// give exactly its pixels.
void TimecodePainter::paintPlain(QPainter &painter, const QSize &size, const DisplayFrame &frame)
{
    const QString text = timecodeText(frame.frameCount, frame.frameRate);
    const int width = size.width();
    const int height = size.height();

    painter.fillRect(QRect(0, 0, width, height), Background);

    if (frame.displayFps) {
        painter.setPen(QColor(Qt::gray));
        painter.drawText(labelOrigin(painter, size), fpsLabel(frame));
    }

    const QFont font = timecodeFont(size);
    int measure = twelveDigitWidth(font);
    const double scaleX = double(width > 0 ? width : 1) / double(measure > 0 ? measure : 1);
    if (measure <= 0)
        measure = 1;
    painter.scale(scaleX, 1.0);

    painter.setPen(timecodeColour(frame));
    painter.setFont(font);
    painter.drawText(QRect(0, 0, measure, height), Qt::AlignCenter, text);
    painter.resetTransform();
}

// In device pixels: black where no character has ink, each character's
// cached pixels copied in place, then the label. Returns false, having drawn
// nothing, when the result could differ from the plain drawing.
bool TimecodePainter::paintCells(QPainter &painter, const QSize &size, const DisplayFrame &frame)
{
    // Copied pixels match only on the raster engine, untransformed.
    const QPaintEngine *engine = painter.paintEngine();
    const qreal ratio = painter.device()->devicePixelRatio();
    if (!engine || engine->type() != QPaintEngine::Raster ||
        painter.worldTransform().type() != QTransform::TxNone || size.isEmpty() || ratio <= 0)
        return false;

    const QString text = timecodeText(frame.frameCount, frame.frameRate);
    if (text.size() != GlyphCells::Length)
        return false;

    cells.setGeometry(size, ratio);
    const GlyphCells::Cell *line[GlyphCells::Length];
    for (int i = 0; i < GlyphCells::Length; ++i) {
        line[i] = &cells.cell(i, text[i]);
        if (!line[i]->own)
            return false;
    }

    // The digits are drawn over the label; where they would meet it, the
    // plain drawing does that.
    QString label;
    if (frame.displayFps) {
        label = fpsLabel(frame);
        const QRectF bounds = QFontMetricsF(painter.fontMetrics())
                                  .boundingRect(label)
                                  .translated(labelOrigin(painter, size))
                                  .adjusted(-2, -2, 2, 2);
        const QRect deviceBounds =
            QRectF(bounds.topLeft() * ratio, bounds.size() * ratio).toAlignedRect();
        for (const GlyphCells::Cell *cell : line) {
            if (cell->ink.intersects(deviceBounds))
                return false;
        }
    }

    // Device pixels: a scale that undoes the ratio leaves the raster engine
    // at whole-pixel places (it treats a factor within rounding of 1 as 1).
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    const QTransform device = painter.deviceTransform();
    if (device.type() > QTransform::TxTranslate || device.dx() != std::round(device.dx()) ||
        device.dy() != std::round(device.dy())) {
        painter.restore();
        return false;
    }

    // Only what the clip lets through is drawn, piece by piece under a
    // rectangular clip each, which keeps the engine on its plain copies.
    QRegion area(cells.deviceRect());
    const QRegion system = engine->systemClip();
    if (!system.isEmpty())
        area &= system.translated(-qRound(device.dx()), -qRound(device.dy()));
    if (painter.hasClipping())
        area &= painter.clipRegion();

    const QRgb colour = timecodeColour(frame).rgb();
    for (const QRect &rect : area) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        QRegion background(rect);
        for (const GlyphCells::Cell *cell : line) {
            if (cell->ink.intersects(rect))
                background -= cell->ink;
        }
        for (const QRect &part : background)
            painter.fillRect(part, Background);
        for (const GlyphCells::Cell *cell : line) {
            const QRect part = rect & cell->ink;
            if (part.isEmpty())
                continue;
            const QImage &tile = cells.tile(*cell, part.translated(-cell->ink.topLeft()), colour);
            painter.drawImage(part.topLeft(), tile, QRect(QPoint(0, 0), part.size()));
        }
        painter.restore();
    }
    painter.restore();

    if (frame.displayFps) {
        painter.setPen(QColor(Qt::gray));
        painter.drawText(labelOrigin(painter, size), label);
    }
    // Leave the painter as the plain drawing does.
    painter.setPen(timecodeColour(frame));
    painter.setFont(cells.font());
    return true;
}

QRegion TimecodePainter::changedArea(const QSize &size, qreal devicePixelRatio,
                                     const DisplayFrame &from, const DisplayFrame &to)
{
    if (from == to)
        return QRegion();
    const QRegion whole(QRect(QPoint(0, 0), size));
    if (mode == Mode::Plain)
        return whole;
    const bool labelChanges =
        from.displayFps != to.displayFps ||
        (to.displayFps && effectiveFrameRate(from.frameRate) != effectiveFrameRate(to.frameRate));
    // Only cells rendered for this very window can tell where a character's
    // ink lies; until it has been painted at this size, repaint it all.
    if (labelChanges || from.highlighted != to.highlighted ||
        !cells.hasGeometry(size, devicePixelRatio))
        return whole;

    const QString before = timecodeText(from.frameCount, from.frameRate);
    const QString after = timecodeText(to.frameCount, to.frameRate);
    if (before.size() != GlyphCells::Length || after.size() != GlyphCells::Length)
        return whole;

    // Pixels change only where the old and the new character at a place
    // differ.
    QRegion changed;
    for (int i = 0; i < GlyphCells::Length; ++i) {
        if (before[i] == after[i])
            continue;
        if (!cells.cell(i, before[i]).own || !cells.cell(i, after[i]).own)
            return whole;
        changed += cells.difference(i, before[i], after[i]);
    }
    return changed;
}
