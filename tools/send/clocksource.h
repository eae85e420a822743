// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef CLOCKSOURCE_H
#define CLOCKSOURCE_H

#include "timecodesource.h"

#include <functional>
#include <optional>

// The computer's time of day, local or UTC. The wall clock is read afresh
// for every frame, while the waits between frames run on the steady clock:
// a clock step (NTP, a manual change, daylight saving) shows at the next
// frame, and never as a burst of catch-up frames.
class ClockSource : public TimecodeSource
{
public:
    using WallClock = std::function<std::chrono::system_clock::time_point()>;
    using Sleep = std::function<void(std::chrono::nanoseconds)>;

    // The clocks are there for tests; by default the system's.
    ClockSource(std::int32_t frameRate, bool utc, WallClock wallClock = {}, Sleep sleep = {});

    Status next(Clock::time_point until, SourceFrame *frame) override;

private:
    std::int32_t m_frameRate;
    bool m_utc;
    WallClock m_wallClock;
    Sleep m_sleep;
    std::optional<std::int32_t> m_lastCount;
};

#endif // CLOCKSOURCE_H
