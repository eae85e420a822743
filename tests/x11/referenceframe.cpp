// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Renders what the window should show into a PNG, with the plain drawing
// that defines a frame, so that the window tests can compare a screenshot pixel by pixel:
//
//   quorvane_referenceframe WIDTH HEIGHT COUNT RATE [red] [fps] OUT.png
//
// It is a QApplication like the program, so the label gets the same default
// font as in the window.

#include "timecodepainter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 5) {
        std::fputs("usage: quorvane_referenceframe WIDTH HEIGHT COUNT RATE [red] [fps] OUT.png\n",
                   stderr);
        return 2;
    }
    const QString out = args.takeLast();
    const QSize size(args.at(0).toInt(), args.at(1).toInt());
    DisplayFrame frame;
    frame.frameCount = args.at(2).toInt();
    frame.frameRate = args.at(3).toInt();
    frame.highlighted = args.contains(QStringLiteral("red"));
    frame.displayFps = args.contains(QStringLiteral("fps"));

    QImage image(size, QImage::Format_RGB32);
    {
        // The window's painter starts with the widget's font, which is the
        // application's default.
        QPainter painter(&image);
        painter.setFont(QApplication::font());
        TimecodePainter::paintPlain(painter, size, frame);
    }
    return image.save(out) ? 0 : 1;
}
