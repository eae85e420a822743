// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef MTCPARSER_H
#define MTCPARSER_H

#include "timecodelabel.h"

#include <cstddef>
#include <optional>

// Turns a stream of MIDI messages into the frames of MIDI timecode, each as
// soon as it is known. Two forms carry it:
// - quarter-frame messages (F1 0n), eight pieces per timecode, which take
//   two frames to send: a complete set tells the time two frames back, and
//   the fourth piece of the next set marks the frame between;
// - the full-frame SysEx F0 7F dd 01 01 hh mm ss ff F7, sent on a locate,
//   which tells the time at once.
// A set is believed only when it follows on from the set before; the first
// set after a break must be confirmed by the next. So pieces of two times
// spliced at a locate, or a set that was read while the sender rolled over
// from one second to the next, never reach the display.
class MtcParser
{
public:
    // One complete MIDI message. Returns the frame to send, if the message
    // makes a new one known; every other message is ignored.
    std::optional<TimecodeLabel> feed(const unsigned char *message, std::size_t size);

private:
    std::optional<TimecodeLabel> quarterFrame(int piece, int value);
    std::optional<TimecodeLabel> fullFrame(const unsigned char *message);
    TimecodeLabel assembledSet() const;

    int m_nibbles[8] = {};
    int m_lastPiece = -1;
    int m_direction = 0; // +1 forward, -1 reverse, 0 not yet known
    int m_run = 0;       // consecutive pieces in m_direction
    // The set that must come next for the following one to be believed,
    // and whether it may come in either direction (after a full frame).
    std::optional<TimecodeLabel> m_expected;
    bool m_expectedEitherWay = false;
    // Where the believed sets would have gone on after one bad set.
    std::optional<TimecodeLabel> m_fallback;
    // The last frame sent while sets keep following on from each other.
    std::optional<TimecodeLabel> m_locked;
};

#endif // MTCPARSER_H
