// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "clocksource.h"

#include "clockframes.h"

#include <thread>

ClockSource::ClockSource(std::int32_t frameRate, bool utc, WallClock wallClock, Sleep sleep)
    : m_frameRate(frameRate), m_utc(utc),
      m_wallClock(wallClock ? std::move(wallClock) : WallClock(std::chrono::system_clock::now)),
      m_sleep(sleep ? std::move(sleep)
                    : Sleep([](std::chrono::nanoseconds d) { std::this_thread::sleep_for(d); }))
{}

TimecodeSource::Status ClockSource::next(Clock::time_point, SourceFrame *frame)
{
    // The first frame goes out at once; every later one on its boundary.
    ClockFrame now = clockFrame(timeOfDay(m_wallClock(), m_utc), m_frameRate);
    // Woken a hair before the boundary (the wall clock being slewed), the
    // frame is still the one just sent: wait out the rest rather than send
    // it twice.
    while (m_lastCount && now.frameCount == *m_lastCount) {
        m_sleep(now.untilNext);
        now = clockFrame(timeOfDay(m_wallClock(), m_utc), m_frameRate);
    }
    m_lastCount = now.frameCount;
    *frame = SourceFrame{m_frameRate, now.frameCount, 0};
    return Status::Frame;
}
