// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef TIMECODESOURCE_H
#define TIMECODESOURCE_H

#include "timecodedatagram.h"

#include <QString>

#include <chrono>
#include <cstdint>

// One datagram's worth: what the display gets from a source.
struct SourceFrame
{
    std::int32_t frameRate = 25;
    std::int32_t frameCount = NoTimecode;
    std::uint32_t flagWord = 0; // 1 marks a drop-frame source
};

// Why a source could not be opened.
struct SourceError
{
    QString message;    // one line, naming the culprit
    int exitStatus = 1; // 2 for bad input, 1 for a failure of the system
};

// Where the timecode comes from: the generator, the clock, LTC, ... The send
// loop asks it for one frame after another and sends each the moment it is
// handed out, so a source decides the timing as well as the count.
class TimecodeSource
{
public:
    using Clock = std::chrono::steady_clock;

    enum class Status {
        Frame,    // *frame is to be sent now
        Waiting,  // nothing to send yet; waitingText() says why, if it says anything
        Finished, // the source has ended (a file played to its end)
        Failed,   // the source broke down; errorString() says why
    };

    virtual ~TimecodeSource() = default;

    // Blocks until there is a frame to send, the source ends, or 'until'
    // has passed, whichever is first. Sources return by 'until' give or take
    // a frame, so that the loop can notice Ctrl+C.
    virtual Status next(Clock::time_point until, SourceFrame *frame) = 0;

    // The status line while nothing is sent, such as "no LTC yet"; empty
    // keeps the line as it is.
    virtual QString waitingText() const { return {}; }

    virtual QString errorString() const { return {}; }
};

#endif // TIMECODESOURCE_H
