// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef GENERATORSOURCE_H
#define GENERATORSOURCE_H

#include "frameschedule.h"
#include "timecodesource.h"

// A made-up running timecode: counts up from a start position, one frame per
// period in real time, and starts again at zero after 99:59:59. A start of
// -1 (no timecode) is sent as it is and never counts.
class GeneratorSource : public TimecodeSource
{
public:
    GeneratorSource(std::int32_t frameRate, std::int32_t startCount);

    Status next(Clock::time_point until, SourceFrame *frame) override;

private:
    FrameSchedule m_schedule;
    std::int32_t m_frameRate;
    std::int32_t m_count;
};

#endif // GENERATORSOURCE_H
