// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "frameschedule.h"

FrameSchedule::FrameSchedule(Clock::time_point start, std::int32_t frameRate)
    : m_anchor(start), m_frameRate(frameRate)
{}

FrameSchedule::Clock::time_point FrameSchedule::next(Clock::time_point now)
{
    Clock::time_point due = m_anchor + offset(m_frameIndex - m_anchorIndex);
    if (now - due > offset(MaxCatchUpFrames)) {
        m_anchor = now;
        m_anchorIndex = m_frameIndex;
        due = now;
    }
    ++m_frameIndex;
    return due;
}

// Whole seconds and the frames left over are converted apart, so that the
// nanoseconds never overflow however long the sender runs, and a rate such
// as 24 that does not divide a second evenly is still exact at every second.
FrameSchedule::Clock::duration FrameSchedule::offset(std::int64_t frames) const
{
    using namespace std::chrono;
    const std::int64_t seconds = frames / m_frameRate;
    const std::int64_t rest = frames % m_frameRate;
    return duration_cast<Clock::duration>(std::chrono::seconds(seconds) +
                                          nanoseconds(rest * 1'000'000'000 / m_frameRate));
}
