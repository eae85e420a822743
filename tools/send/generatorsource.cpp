// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "generatorsource.h"

#include <thread>

GeneratorSource::GeneratorSource(std::int32_t frameRate, std::int32_t startCount)
    : m_schedule(Clock::now(), effectiveFrameRate(frameRate)), m_frameRate(frameRate),
      m_count(startCount)
{}

TimecodeSource::Status GeneratorSource::next(Clock::time_point, SourceFrame *frame)
{
    // A period is at most 42 ms, well inside any deadline worth keeping.
    std::this_thread::sleep_until(m_schedule.next(Clock::now()));
    *frame = SourceFrame{m_frameRate, m_count, 0};
    if (m_count != NoTimecode && ++m_count == frameCountLimit(m_frameRate))
        m_count = 0;
    return Status::Frame;
}
