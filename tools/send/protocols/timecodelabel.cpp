// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodelabel.h"

#include "sourceframes.h"

namespace {

// Drop-frame skips labels 0 and 1 at the start of each minute but every
// tenth: 17982 real frames per ten minutes, 1798 in each later minute.
constexpr int DropTenMinutes = 17982;
constexpr int DropMinute = 1798;

std::int32_t labelCount(const TimecodeLabel &label)
{
    return framesSinceMidnight(static_cast<const TimecodeFields &>(label), label.nominalRate)
        .value_or(-1);
}

// Real frames since midnight; the label must be valid.
int frameIndex(const TimecodeLabel &label)
{
    const std::int32_t count = labelCount(label);
    return label.dropFrame ? dropFrameIndex(count) : count;
}

TimecodeLabel labelAt(int index, TimecodeLabel label)
{
    if (label.dropFrame) {
        // Put back the skipped labels before splitting at the nominal 30.
        const int tens = index / DropTenMinutes;
        const int rest = index % DropTenMinutes;
        const int skipped = rest < 2 ? 0 : 2 * ((rest - 2) / DropMinute);
        index += 18 * tens + skipped;
    }
    const int rate = label.nominalRate;
    label.frames = index % rate;
    label.seconds = index / rate % 60;
    label.minutes = index / rate / 60 % 60;
    label.hours = index / rate / 3600;
    return label;
}

} // namespace

bool isValidLabel(const TimecodeLabel &label)
{
    const bool knownRate = label.dropFrame ? label.nominalRate == 30
                                           : (label.nominalRate == 24 || label.nominalRate == 25 ||
                                              label.nominalRate == 30);
    if (!knownRate || labelCount(label) < 0)
        return false;
    return !(label.dropFrame && label.seconds == 0 && label.frames < 2 && label.minutes % 10 != 0);
}

TimecodeLabel advanceLabel(const TimecodeLabel &label, int delta)
{
    const int day = label.dropFrame ? DropFramesPerDay : framesPerDay(label.nominalRate);
    const int index = ((frameIndex(label) + delta) % day + day) % day;
    return labelAt(index, label);
}
