// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef TIMECODEDATAGRAM_H
#define TIMECODEDATAGRAM_H

#include <array>
#include <cstdint>
#include <optional>

// The wire format of a timecode datagram: seven big-endian 32-bit words.
// This file is plain C++ on purpose, so that senders, the fuzzer and
// non-Qt builds can share the one definition of what is accepted.

constexpr int TimecodeDatagramSize = 28;
using TimecodeBuffer = std::array<unsigned char, TimecodeDatagramSize>;

constexpr std::uint32_t TimecodeMessageType = 1;
constexpr std::uint32_t TimecodePayloadLength = 12;
constexpr std::int32_t NoTimecode = -1;

struct Timecode
{
    std::int32_t frameRate = 0; // as sent: 0 means "not given", counted as 25
    std::int32_t frameCount = NoTimecode;

    friend bool operator==(const Timecode &a, const Timecode &b)
    {
        return a.frameRate == b.frameRate && a.frameCount == b.frameCount;
    }
};

// True for the rates a sender may announce: 0, 24, 25, 30, 50, 60 and 100.
bool isAcceptedFrameRate(std::int32_t frameRate);

// The rate that arithmetic uses: 0 stands for 25.
constexpr std::int32_t effectiveFrameRate(std::int32_t frameRate)
{
    return frameRate == 0 ? 25 : frameRate;
}

// One past the largest accepted count: 100 hours of frames at the rate.
// Only meaningful for accepted rates.
std::int32_t frameCountLimit(std::int32_t frameRate);

// Returns the rate and count of a datagram that passes every acceptance rule,
// or nothing if it is to be dropped. bytesRead is what the socket read
// reported for the buffer: anything but exactly 28 (including -1 for a failed
// read) is refused before a byte is looked at.
std::optional<Timecode> decodeTimecodeDatagram(const TimecodeBuffer &buffer,
                                               std::int64_t bytesRead);

// Builds the datagram that carries the timecode. The inverse of the decoder
// for every datagram it accepts; spareWord and flagWord let tests and senders
// produce the variants that the decoder tolerates.
TimecodeBuffer encodeTimecodeDatagram(const Timecode &timecode, std::uint32_t spareWord = 0,
                                      std::uint32_t flagWord = 0);

#endif // TIMECODEDATAGRAM_H
