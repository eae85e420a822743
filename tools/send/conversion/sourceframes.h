// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef SOURCEFRAMES_H
#define SOURCEFRAMES_H

#include <cstdint>
#include <optional>

// A timecode label as a source carries it: 01:00:00;02 and so on.
struct TimecodeFields
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int frames = 0;

    friend bool operator==(const TimecodeFields &a, const TimecodeFields &b)
    {
        return a.hours == b.hours && a.minutes == b.minutes && a.seconds == b.seconds &&
               a.frames == b.frames;
    }
};

// The rate that a source's labels count at, as the display knows it.
// 23.976 fps labels count like 24 and 29.97 drop-frame labels like 30; the
// drop-frame mark travels in the datagram's flag word.
struct NominalRate
{
    std::int32_t frameRate = 0; // 24, 25 or 30
    bool dropFrame = false;

    friend bool operator==(const NominalRate &a, const NominalRate &b)
    {
        return a.frameRate == b.frameRate && a.dropFrame == b.dropFrame;
    }
};

// The nominal rate for a measured or announced rate in frames per second:
// anything near 24 (23.976 included) is 24, near 25 is 25, near 30 (29.97
// included) is 30. Drop-frame exists at 30 only; the mark is ignored at
// other rates. Nothing for rates far from these.
std::optional<NominalRate> nominalRate(double framesPerSecond, bool dropFrame);

// Frames since midnight, counting the labels at the nominal rate, so that
// the display shows exactly the digits the source carries: drop-frame
// labels too. Nothing for a label that cannot exist at the rate (hours from
// 24, minutes or seconds from 60, frames from the rate), which is what a
// misread frame usually looks like.
std::optional<std::int32_t> framesSinceMidnight(const TimecodeFields &fields,
                                                std::int32_t frameRate);

// Frames in one day at the rate: where the count wraps at midnight.
constexpr std::int32_t framesPerDay(std::int32_t frameRate)
{
    return 24 * 60 * 60 * frameRate;
}

// For a drop-frame label counted at 30 (as framesSinceMidnight() counts
// it), the number of frames that have really passed since midnight: two
// labels fewer in every minute but each tenth. Tells whether two drop-frame
// labels are neighbours across a dropped pair, 00:00:59;29 and 00:01:00;02.
constexpr std::int32_t dropFrameIndex(std::int32_t labelCount)
{
    const std::int32_t minutes = labelCount / (60 * 30);
    return labelCount - 2 * (minutes - minutes / 10);
}

// The other way: the label count (as framesSinceMidnight() counts it at 30)
// of the frame that is 'index' real frames past midnight. Ten minutes hold
// 17982 real frames, and every minute of them after the first 1798.
constexpr std::int32_t dropFrameLabelCount(std::int32_t index)
{
    const std::int32_t tens = index / 17982;
    const std::int32_t rest = index % 17982;
    const std::int32_t skipped = rest < 2 ? 0 : 2 * ((rest - 2) / 1798);
    return index + 18 * tens + skipped;
}

// Frames really in one drop-frame day.
constexpr std::int32_t DropFramesPerDay = 24 * 60 * 60 * 30 - 2 * (24 * 60 - 24 * 6);

// The datagram's flag word: 1 marks a drop-frame source, 0 any other.
constexpr std::uint32_t flagWordFor(bool dropFrame)
{
    return dropFrame ? 1u : 0u;
}

#endif // SOURCEFRAMES_H
