// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef JUMPGUARD_H
#define JUMPGUARD_H

#include <cstdint>
#include <optional>

// Decides which decoded frames go out, so that one misread frame never
// reaches the display. A frame that continues the last one sent (the next
// frame, the previous one when playing in reverse, or the same one while
// paused, across midnight too) goes out at once. Any other frame (a cue, a
// locate, the first frame of all, or a misread) goes out only when the frame
// after it continues from it. A frame that skips over a withheld misread
// still continues the last one sent, so one bad frame costs one datagram.
class JumpGuard
{
public:
    // The count to send for a frame of the source, or nothing.
    // A drop-frame count is a label counted at 30, as framesSinceMidnight()
    // gives it; its neighbours lie across the dropped labels.
    std::optional<std::int32_t> accept(std::int32_t frameCount, std::int32_t frameRate,
                                       bool dropFrame = false);

    // Forget the past: the next frame needs a second one to agree.
    void reset();

private:
    struct Frame
    {
        std::int32_t count;
        std::int32_t rate;
        bool dropFrame;
    };

    // True if 'to' lies at most 'reach' frames either side of 'from'.
    static bool continues(const Frame &from, const Frame &to, std::int32_t reach);

    std::optional<Frame> m_sent;
    std::optional<Frame> m_candidate;
    std::int32_t m_withheld = 0;
};

#endif // JUMPGUARD_H
