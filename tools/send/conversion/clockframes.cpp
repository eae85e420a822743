// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "clockframes.h"

#include <ctime>

using namespace std::chrono;

ClockFrame clockFrame(nanoseconds timeOfDay, std::int32_t frameRate)
{
    constexpr std::int64_t second = 1'000'000'000;
    const std::int64_t day = 86400 * second;
    const std::int64_t now = (timeOfDay.count() % day + day) % day;
    const std::int64_t seconds = now / second;
    const std::int64_t within = now % second;
    const std::int64_t frame = within * frameRate / second;
    // Where frame + 1 begins, rounded up so that it really is that frame
    // when the clock is read there.
    const std::int64_t nextBegins = ((frame + 1) * second + frameRate - 1) / frameRate;
    return ClockFrame{std::int32_t(seconds * frameRate + frame), nanoseconds(nextBegins - within)};
}

nanoseconds timeOfDay(system_clock::time_point time, bool utc)
{
    const auto sinceEpoch = time.time_since_epoch();
    const auto wholeSeconds = floor<seconds>(sinceEpoch);
    const std::time_t t = std::time_t(wholeSeconds.count());
    std::tm fields{};
#ifdef _WIN32
    utc ? gmtime_s(&fields, &t) : localtime_s(&fields, &t);
#else
    utc ? gmtime_r(&t, &fields) : localtime_r(&t, &fields);
#endif
    // A leap second (60) is shown as the 59th second held a moment longer.
    const int second = fields.tm_sec > 59 ? 59 : fields.tm_sec;
    return hours(fields.tm_hour) + minutes(fields.tm_min) + std::chrono::seconds(second) +
           duration_cast<nanoseconds>(sinceEpoch - wholeSeconds);
}
