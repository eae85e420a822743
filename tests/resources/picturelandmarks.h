// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#pragma once

#include <QImage>
#include <QString>
#include <QTest>

#include <algorithm>
#include <array>

// Places in the program's picture that look the same at every size, on the
// picture's 96 x 96 grid: the see-through surroundings, the grey case and
// stand, the black screen and the green "Time" on it.
enum class Look { Transparent, Black, Grey, Green };

struct Landmark
{
    const char *name;
    qreal x;
    qreal y;
    Look look;
};

inline constexpr std::array<Landmark, 9> pictureLandmarks{{
    {"top-left corner", 1, 1, Look::Transparent},
    {"bottom-right corner", 94, 94, Look::Transparent},
    {"above the monitor", 48, 4, Look::Transparent},
    {"beside the stand", 10, 80, Look::Transparent},
    {"screen, lower left", 14, 56, Look::Black},
    {"screen, upper right", 80, 22, Look::Black},
    {"stand", 48, 75, Look::Grey},
    {"stem of the T", 27.5, 42, Look::Green},
    {"middle of the m", 52, 47, Look::Green},
}};

inline bool looksLike(QRgb pixel, Look look)
{
    const int r = qRed(pixel);
    const int g = qGreen(pixel);
    const int b = qBlue(pixel);
    const bool opaque = qAlpha(pixel) == 255;
    switch (look) {
    case Look::Transparent:
        return qAlpha(pixel) == 0;
    case Look::Black:
        return opaque && std::max({r, g, b}) < 40;
    case Look::Grey:
        return opaque && std::max({r, g, b}) - std::min({r, g, b}) < 24 && g >= 80 && g <= 230;
    case Look::Green:
        return opaque && g >= 128 && r < g / 2 && b < g / 2;
    }
    return false;
}

inline QString describePixel(QRgb pixel)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(qRed(pixel))
        .arg(qGreen(pixel))
        .arg(qBlue(pixel))
        .arg(qAlpha(pixel));
}

// Fails the current test at the first landmark that the image gets wrong.
inline void verifyLandmarks(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const qreal scale = image.width() / 96.0;
    for (const Landmark &mark : pictureLandmarks) {
        const int x = int(mark.x * scale);
        const int y = int(mark.y * scale);
        const QRgb pixel = image.pixel(x, y);
        QVERIFY2(looksLike(pixel, mark.look),
                 qPrintable(QStringLiteral("%1 at (%2, %3) of %4 px is %5")
                                .arg(QLatin1String(mark.name))
                                .arg(x)
                                .arg(y)
                                .arg(image.width())
                                .arg(describePixel(pixel))));
    }
}
