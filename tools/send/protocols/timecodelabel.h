// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef TIMECODELABEL_H
#define TIMECODELABEL_H

#include "sourceframes.h"

// A timecode as a source writes it: the digits, the nominal rate (24, 25 or
// 30) and whether the labels skip as 29.97 drop-frame does.
struct TimecodeLabel : TimecodeFields
{
    int nominalRate = 25;
    bool dropFrame = false;

    friend bool operator==(const TimecodeLabel &a, const TimecodeLabel &b)
    {
        return static_cast<const TimecodeFields &>(a) == b && a.nominalRate == b.nominalRate &&
               a.dropFrame == b.dropFrame;
    }
    friend bool operator!=(const TimecodeLabel &a, const TimecodeLabel &b) { return !(a == b); }
};

// Frames since midnight, the label counted at its nominal rate as
// framesSinceMidnight() counts it; nothing for fields out of range.
std::optional<std::int32_t> labelFrameCount(const TimecodeLabel &label);

// True if the label names a frame that exists within one day: fields in
// range, and none of the labels that drop-frame skips.
bool isValidLabel(const TimecodeLabel &label);

// The label moved by delta real frames (negative goes back), across
// midnight and past the labels that drop-frame skips. The label must be
// valid.
TimecodeLabel advanceLabel(const TimecodeLabel &label, int delta);

#endif // TIMECODELABEL_H
