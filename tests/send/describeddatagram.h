// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef DESCRIBEDDATAGRAM_H
#define DESCRIBEDDATAGRAM_H

#include "timecodedatagram.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>

// What the display makes of a datagram that quorvane-send sent: rate, count
// and flag word as text, or "refused", so that a test row reads as one line.
inline QByteArray described(const QByteArray &datagram)
{
    TimecodeBuffer buffer{};
    std::memcpy(buffer.data(), datagram.constData(),
                std::min<size_t>(buffer.size(), size_t(datagram.size())));
    const std::optional<Timecode> timecode = decodeTimecodeDatagram(buffer, datagram.size());
    if (!timecode)
        return "refused";
    return QByteArray::number(timecode->frameRate) + ' ' +
           QByteArray::number(timecode->frameCount) + " flag " + QByteArray::number(buffer[11]);
}

#endif // DESCRIBEDDATAGRAM_H
