// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "referencepainter.h"

#include "timecodedatagram.h"
#include "timecodetext.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>

void ReferencePainter::paint(QPainter &painter, const QSize &size, const DisplayFrame &frame)
{
    const QString text = timecodeText(frame.frameCount, frame.frameRate);
    const int width = size.width();
    const int height = size.height();

    painter.fillRect(QRect(0, 0, width, height), QColor(0, 0, 0, 255));

    if (frame.displayFps) {
        const QString label = QCoreApplication::translate("MainWindow", "%1 fps")
                                  .arg(effectiveFrameRate(frame.frameRate));
        painter.setPen(QColor(Qt::gray));
        // Still the window's font here; one sized in points reports -1.
        const int pixelSize = painter.font().pixelSize();
        painter.drawText(QPointF(8.0, height - 10 - pixelSize), label);
    }

    QFont font(QStringLiteral("Courier New"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(qMin(width, height));

    int measure = QFontMetrics(font).horizontalAdvance(QStringLiteral("000000000000"));
    const double scaleX = double(width > 0 ? width : 1) / double(measure > 0 ? measure : 1);
    if (measure <= 0)
        measure = 1;
    painter.scale(scaleX, 1.0);

    painter.setPen(frame.highlighted ? QColor(255, 0, 0, 255) : QColor(0, 255, 0, 255));
    painter.setFont(font);
    painter.drawText(QRect(0, 0, measure, height), Qt::AlignCenter, text);
    painter.resetTransform();
}
