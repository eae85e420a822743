// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "mtcparser.h"

#include <algorithm>

namespace {

// The rate code of MTC, in hours bits 5-6 of either form.
void setRate(TimecodeLabel &label, int code)
{
    label.nominalRate = code == 0 ? 24 : code == 1 ? 25 : 30;
    label.dropFrame = code == 2;
}

} // namespace

std::optional<TimecodeLabel> MtcParser::feed(const unsigned char *message, std::size_t size)
{
    if (size == 2 && message[0] == 0xF1 && message[1] < 0x80)
        return quarterFrame(message[1] >> 4, message[1] & 0x0F);
    // Any device ID: some senders address themselves rather than all.
    if (size == 10 && message[0] == 0xF0 && message[1] == 0x7F && message[2] < 0x80 &&
        message[3] == 0x01 && message[4] == 0x01 && message[9] == 0xF7)
        return fullFrame(message);
    return std::nullopt;
}

std::optional<TimecodeLabel> MtcParser::fullFrame(const unsigned char *message)
{
    for (int i = 5; i < 9; ++i) {
        if (message[i] >= 0x80)
            return std::nullopt;
    }
    TimecodeLabel label;
    label.hours = message[5] & 0x1F;
    setRate(label, message[5] >> 5 & 0x03);
    label.minutes = message[6];
    label.seconds = message[7];
    label.frames = message[8];
    if (!isValidLabel(label))
        return std::nullopt;

    // A locate: pieces heard before it belong to the old place, and the
    // first set after it carries this very time, in whichever direction
    // the sender then runs.
    m_lastPiece = -1;
    m_direction = 0;
    m_run = 0;
    m_locked.reset();
    m_expected = label;
    m_expectedEitherWay = true;
    return label;
}

std::optional<TimecodeLabel> MtcParser::quarterFrame(int piece, int value)
{
    const int step = m_lastPiece < 0                      ? 0
                     : (piece - m_lastPiece + 8) % 8 == 1 ? 1
                     : (m_lastPiece - piece + 8) % 8 == 1 ? -1
                                                          : 0;
    if (step != 0 && (m_direction == 0 || step == m_direction)) {
        m_direction = step;
        m_run = std::min(m_run + 1, 8);
    } else {
        // A gap, a repeat or a change of direction: start a new set. The
        // frames between sets are only known while the pieces run on; the
        // next set is still checked against the time expected.
        m_locked.reset();
        m_direction = 0;
        m_run = 1;
    }
    m_lastPiece = piece;
    m_nibbles[piece] = value;

    // Halfway through a set that continues a believed one, the next frame
    // begins.
    const int middle = m_direction > 0 ? 3 : 4;
    if (m_locked && m_run >= 4 && piece == middle) {
        m_locked = advanceLabel(*m_locked, m_direction);
        return m_locked;
    }

    const int last = m_direction > 0 ? 7 : 0;
    if (m_run < 8 || piece != last)
        return std::nullopt;

    const TimecodeLabel set = assembledSet();
    const bool valid = isValidLabel(set);
    const bool followsOn =
        valid && ((m_expected && *m_expected == set) || (m_fallback && *m_fallback == set));
    if (followsOn) {
        m_expected = advanceLabel(set, 2 * m_direction);
        m_expectedEitherWay = false;
        m_fallback.reset();
        m_locked = m_expected;
        return m_locked;
    }
    // One bad set must not cost more than itself: the set after it may
    // follow on from it or from the believed sets before it.
    m_fallback = m_expected && !m_expectedEitherWay
                     ? std::optional(advanceLabel(*m_expected, 2 * m_direction))
                     : std::nullopt;
    m_expected = valid ? std::optional(advanceLabel(set, 2 * m_direction)) : std::nullopt;
    m_expectedEitherWay = false;
    m_locked.reset();
    return std::nullopt;
}

TimecodeLabel MtcParser::assembledSet() const
{
    TimecodeLabel label;
    label.frames = m_nibbles[0] | (m_nibbles[1] & 0x1) << 4;
    label.seconds = m_nibbles[2] | (m_nibbles[3] & 0x3) << 4;
    label.minutes = m_nibbles[4] | (m_nibbles[5] & 0x3) << 4;
    label.hours = m_nibbles[6] | (m_nibbles[7] & 0x1) << 4;
    setRate(label, m_nibbles[7] >> 1 & 0x3);
    return label;
}
