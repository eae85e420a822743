// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef FRAMESCHEDULE_H
#define FRAMESCHEDULE_H

#include <chrono>
#include <cstdint>

// When each datagram is due. Frame n is due at anchor + n frame periods,
// computed afresh from the anchor every time, so rounding never adds up and
// the sender does not drift against the clock.
//
// A sender that wakes up late catches up by at most MaxCatchUpFrames
// periods, sending those frames back to back. Later than that (the machine
// was suspended, a debugger stopped it, the system was swamped) a burst of
// old frames would only flood the receiver, which shows the newest anyway:
// the schedule is anchored afresh at the late frame and runs on at the
// proper rate from there. No count is ever skipped; the timecode simply
// pauses for the length of the stall.
class FrameSchedule
{
public:
    using Clock = std::chrono::steady_clock;

    static constexpr int MaxCatchUpFrames = 2;

    // frameRate is the rate that is counted, above 0 (25 for a sent rate of 0).
    FrameSchedule(Clock::time_point start, std::int32_t frameRate);

    // The time the next frame is due, given that it is now 'now'; advances
    // to the frame after it. The result may lie in the past: send at once.
    Clock::time_point next(Clock::time_point now);

    // Frames handed out so far.
    std::int64_t frameIndex() const { return m_frameIndex; }

private:
    Clock::duration offset(std::int64_t frames) const;

    Clock::time_point m_anchor;
    std::int64_t m_anchorIndex = 0;
    std::int64_t m_frameIndex = 0;
    std::int32_t m_frameRate;
};

#endif // FRAMESCHEDULE_H
