// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodelabel.h"

namespace {

// Real frames since midnight; the label must be valid.
int frameIndex(const TimecodeLabel &label)
{
    const std::int32_t count = *labelFrameCount(label);
    return label.dropFrame ? dropFrameIndex(count) : count;
}

TimecodeLabel labelAt(int index, TimecodeLabel label)
{
    // Put back the labels that drop-frame skips before splitting at 30.
    if (label.dropFrame)
        index = dropFrameLabelCount(index);
    const int rate = label.nominalRate;
    label.frames = index % rate;
    label.seconds = index / rate % 60;
    label.minutes = index / rate / 60 % 60;
    label.hours = index / rate / 3600;
    return label;
}

} // namespace

std::optional<std::int32_t> labelFrameCount(const TimecodeLabel &label)
{
    return framesSinceMidnight(label, label.nominalRate);
}

bool isValidLabel(const TimecodeLabel &label)
{
    const bool knownRate = label.dropFrame ? label.nominalRate == 30
                                           : (label.nominalRate == 24 || label.nominalRate == 25 ||
                                              label.nominalRate == 30);
    if (!knownRate || !labelFrameCount(label))
        return false;
    return !(label.dropFrame && label.seconds == 0 && label.frames < 2 && label.minutes % 10 != 0);
}

TimecodeLabel advanceLabel(const TimecodeLabel &label, int delta)
{
    const int day = label.dropFrame ? DropFramesPerDay : framesPerDay(label.nominalRate);
    const int index = ((frameIndex(label) + delta) % day + day) % day;
    return labelAt(index, label);
}
