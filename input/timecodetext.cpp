// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodetext.h"

#include "timecodedatagram.h"

QString timecodeText(qint32 frameCount, qint32 frameRate)
{
    if (frameCount == NoTimecode)
        return QStringLiteral("--:--:--,--");

    // The count and rate are read as unsigned. Working in 64 bits gives the
    // same digits for every accepted state and cannot divide by zero for any
    // other, however odd the rate.
    const quint64 count = quint32(frameCount);
    const quint64 rate = quint32(effectiveFrameRate(frameRate));
    const quint64 framesPerHour = rate * 3600;
    const quint64 framesPerMinute = rate * 60;
    const quint64 withinHour = count % framesPerHour;
    const quint64 withinMinute = withinHour % framesPerMinute;

    return QStringLiteral("%1:%2:%3,%4")
        .arg(count / framesPerHour, 2, 10, QLatin1Char(' '))
        .arg(withinHour / framesPerMinute, 2, 10, QLatin1Char('0'))
        .arg(withinMinute / rate, 2, 10, QLatin1Char('0'))
        .arg(withinMinute % rate, 2, 10, QLatin1Char('0'));
}
