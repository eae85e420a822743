// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef CLOCKFRAMES_H
#define CLOCKFRAMES_H

#include <chrono>
#include <cstdint>

// The frame that a clock shows at a time of day, and how long until the
// next one begins. Frame 0 of every second begins exactly on the second, so
// the display's seconds change with the clock's.
struct ClockFrame
{
    std::int32_t frameCount = 0;
    std::chrono::nanoseconds untilNext{0};
};

ClockFrame clockFrame(std::chrono::nanoseconds timeOfDay, std::int32_t frameRate);

// The time since midnight of a wall-clock time, in the local time zone
// (daylight saving included) or in UTC.
std::chrono::nanoseconds timeOfDay(std::chrono::system_clock::time_point time, bool utc);

#endif // CLOCKFRAMES_H
