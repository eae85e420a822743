// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "jumpguard.h"

#include "sourceframes.h"

#include <algorithm>

bool JumpGuard::continues(const Frame &from, const Frame &to, std::int32_t reach)
{
    if (from.rate != to.rate || from.dropFrame != to.dropFrame)
        return false;
    const std::int32_t day = to.dropFrame ? DropFramesPerDay : framesPerDay(to.rate);
    const std::int32_t distance = to.dropFrame
                                      ? dropFrameIndex(to.count) - dropFrameIndex(from.count)
                                      : to.count - from.count;
    const std::int32_t step = (distance % day + day) % day;
    return step <= reach || step >= day - reach;
}

std::optional<std::int32_t> JumpGuard::accept(std::int32_t frameCount, std::int32_t frameRate,
                                              bool dropFrame)
{
    const Frame frame{frameCount, frameRate, dropFrame};
    // Past two withheld frames the source has really moved on; only a
    // second agreeing frame may take it from there.
    const bool followsSent = m_sent && m_withheld <= 2 && continues(*m_sent, frame, 1 + m_withheld);
    const bool confirmsCandidate = m_candidate && continues(*m_candidate, frame, 1);
    if (followsSent || confirmsCandidate) {
        m_sent = frame;
        m_candidate.reset();
        m_withheld = 0;
        return frameCount;
    }
    m_candidate = frame;
    m_withheld = std::min(m_withheld + 1, 3);
    return std::nullopt;
}

void JumpGuard::reset()
{
    *this = JumpGuard();
}
