// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef ARTNETTIMECODE_H
#define ARTNETTIMECODE_H

#include "timecodelabel.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

constexpr unsigned short ArtNetPort = 6454;
// ID, OpCode, version, two fillers and the five timecode bytes.
constexpr std::size_t ArtTimeCodeSize = 19;

// The timecode of an ArtTimeCode packet, or nothing for anything else that
// arrives on the port: other opcodes, other IDs, short packets, protocol
// versions before 14, unknown types and fields out of range. Bytes past the
// 19th are ignored, since later protocol versions may append fields.
std::optional<TimecodeLabel> parseArtTimeCode(const unsigned char *data, std::size_t size);

// Chooses one sender among several on the network: the first heard, until
// it has been silent for a second. Two consoles sending at once then don't
// make the display change sender with every packet.
class ArtNetFollower
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds Patience{1000};

    // True if the timecode from sender, heard at now, is to be followed.
    bool follows(const std::string &sender, Clock::time_point now);

private:
    std::string m_sender;
    Clock::time_point m_lastHeard;
};

#endif // ARTNETTIMECODE_H
