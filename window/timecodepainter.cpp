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

QRectF toLogical(const QRect &deviceRect, qreal ratio)
{
    return QRectF(deviceRect.x() / ratio, deviceRect.y() / ratio, deviceRect.width() / ratio,
                  deviceRect.height() / ratio);
}

} // namespace

void TimecodePainter::paint(QPainter &painter, const QSize &size, const DisplayFrame &frame)
{
    if (!paintCells(painter, size, frame))
        paintPlain(painter, size, frame);
}

// The straightforward way, for whatever the cells cannot promise to draw
// alike: the scaled text drawn whole.
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

    QFont font(QStringLiteral("Courier New"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(qMin(width, height));

    int measure = QFontMetrics(font).horizontalAdvance(QStringLiteral("000000000000"));
    const double scaleX = double(width > 0 ? width : 1) / double(measure > 0 ? measure : 1);
    if (measure <= 0)
        measure = 1;
    painter.scale(scaleX, 1.0);

    painter.setPen(timecodeColour(frame));
    painter.setFont(font);
    painter.drawText(QRect(0, 0, measure, height), Qt::AlignCenter, text);
    painter.resetTransform();
}

// Black where no character has ink, the label, then each character's cached
// pixels copied in place. Returns false, having drawn nothing, when the
// result could differ from the plain drawing.
bool TimecodePainter::paintCells(QPainter &painter, const QSize &size, const DisplayFrame &frame)
{
    // Copied pixels match only on the raster engine, untransformed, at a
    // whole device pixel ratio (so that every copy lands on whole pixels).
    const QPaintEngine *engine = painter.paintEngine();
    const qreal ratio = painter.device()->devicePixelRatio();
    if (!engine || engine->type() != QPaintEngine::Raster ||
        painter.worldTransform().type() != QTransform::TxNone || size.isEmpty() || ratio < 1 ||
        ratio != std::floor(ratio))
        return false;

    const QString text = timecodeText(frame.frameCount, frame.frameRate);
    if (text.size() != GlyphCells::Length)
        return false;

    cells.setGeometry(size, ratio);
    QRect inks[GlyphCells::Length];
    for (int i = 0; i < GlyphCells::Length; ++i) {
        const GlyphCells::Cell &cell = cells.cell(i, text[i]);
        if (!cell.own)
            return false;
        inks[i] = cell.ink;
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
        for (const QRect &ink : inks) {
            if (ink.intersects(deviceBounds))
                return false;
        }
    }

    QRegion background(QRect(0, 0, qRound(size.width() * ratio), qRound(size.height() * ratio)));
    for (const QRect &ink : inks)
        background -= ink;
    for (const QRect &rect : background)
        painter.fillRect(toLogical(rect, ratio), Background);

    if (frame.displayFps) {
        painter.setPen(QColor(Qt::gray));
        painter.drawText(labelOrigin(painter, size), label);
    }

    const QColor colour = timecodeColour(frame);
    for (int i = 0; i < GlyphCells::Length; ++i) {
        if (!inks[i].isEmpty())
            painter.drawImage(QPointF(inks[i].topLeft()) / ratio,
                              cells.tile(i, text[i], colour.rgb()));
    }
    // Leave the painter as the plain drawing does.
    painter.setPen(colour);
    painter.setFont(cells.font());
    return true;
}

QRegion TimecodePainter::changedArea(const QSize &size, qreal devicePixelRatio,
                                     const DisplayFrame &from, const DisplayFrame &to)
{
    if (from == to)
        return QRegion();
    const QRegion whole(QRect(QPoint(0, 0), size));
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

    // Pixels change only under the ink of the characters that change, the
    // old and the new.
    QRegion changed;
    for (int i = 0; i < GlyphCells::Length; ++i) {
        if (before[i] == after[i])
            continue;
        for (const QChar character : {before[i], after[i]}) {
            const GlyphCells::Cell &cell = cells.cell(i, character);
            if (!cell.own)
                return whole;
            changed += toLogical(cell.ink, devicePixelRatio).toAlignedRect();
        }
    }
    return changed;
}
