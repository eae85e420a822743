// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sourceframes.h"

#include <cmath>

std::optional<NominalRate> nominalRate(double framesPerSecond, bool dropFrame)
{
    // Wide enough for 23.976 and 29.97 and for a rate measured from audio,
    // narrow enough that 24 and 25 never meet.
    for (const std::int32_t rate : {24, 25, 30}) {
        if (std::abs(framesPerSecond - rate) < 0.4) {
            if (dropFrame && rate != 30)
                return std::nullopt;
            return NominalRate{rate, dropFrame};
        }
    }
    return std::nullopt;
}

std::optional<std::int32_t> framesSinceMidnight(const TimecodeFields &fields,
                                                std::int32_t frameRate)
{
    if (frameRate <= 0 || fields.hours < 0 || fields.hours >= 24 || fields.minutes < 0 ||
        fields.minutes >= 60 || fields.seconds < 0 || fields.seconds >= 60 || fields.frames < 0 ||
        fields.frames >= frameRate)
        return std::nullopt;
    return ((fields.hours * 60 + fields.minutes) * 60 + fields.seconds) * frameRate + fields.frames;
}
