// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodedatagram.h"

namespace {

enum WordOffset : int {
    MessageTypeOffset = 0,
    SpareWordOffset = 4,
    FlagWordOffset = 8,
    PayloadLengthOffset = 12,
    RateOffset = 16,
    ReservedWordOffset = 20,
    CountOffset = 24,
};

constexpr std::int32_t SecondsIn100Hours = 360000;

// Byte by byte, so the host's byte order never matters.
std::uint32_t readWord(const TimecodeBuffer &buffer, int offset)
{
    return std::uint32_t(buffer[offset]) << 24 | std::uint32_t(buffer[offset + 1]) << 16 |
           std::uint32_t(buffer[offset + 2]) << 8 | std::uint32_t(buffer[offset + 3]);
}

void writeWord(TimecodeBuffer &buffer, int offset, std::uint32_t word)
{
    buffer[offset] = static_cast<unsigned char>(word >> 24);
    buffer[offset + 1] = static_cast<unsigned char>(word >> 16);
    buffer[offset + 2] = static_cast<unsigned char>(word >> 8);
    buffer[offset + 3] = static_cast<unsigned char>(word);
}

// Two's complement reading of a word, without relying on implementation-defined
// narrowing.
std::int32_t signedWord(std::uint32_t word)
{
    return word <= 0x7fffffffu ? std::int32_t(word) : -std::int32_t(~word) - 1;
}

} // namespace

bool isAcceptedFrameRate(std::int32_t frameRate)
{
    switch (frameRate) {
    case 0:
    case 24:
    case 25:
    case 30:
    case 50:
    case 60:
    case 100:
        return true;
    default:
        return false;
    }
}

std::int32_t frameCountLimit(std::int32_t frameRate)
{
    return effectiveFrameRate(frameRate) * SecondsIn100Hours;
}

std::optional<Timecode> decodeTimecodeDatagram(const TimecodeBuffer &buffer, std::int64_t bytesRead)
{
    if (bytesRead != TimecodeDatagramSize)
        return std::nullopt;
    if (readWord(buffer, MessageTypeOffset) != TimecodeMessageType)
        return std::nullopt;
    if (readWord(buffer, FlagWordOffset) > 1)
        return std::nullopt;
    if (readWord(buffer, PayloadLengthOffset) != TimecodePayloadLength)
        return std::nullopt;
    if (readWord(buffer, ReservedWordOffset) != 0)
        return std::nullopt;

    const std::int32_t rate = signedWord(readWord(buffer, RateOffset));
    if (!isAcceptedFrameRate(rate))
        return std::nullopt;

    const std::int32_t count = signedWord(readWord(buffer, CountOffset));
    if (count < NoTimecode || count >= frameCountLimit(rate))
        return std::nullopt;

    return Timecode{rate, count};
}

TimecodeBuffer encodeTimecodeDatagram(const Timecode &timecode, std::uint32_t spareWord,
                                      std::uint32_t flagWord)
{
    TimecodeBuffer buffer{};
    writeWord(buffer, MessageTypeOffset, TimecodeMessageType);
    writeWord(buffer, SpareWordOffset, spareWord);
    writeWord(buffer, FlagWordOffset, flagWord);
    writeWord(buffer, PayloadLengthOffset, TimecodePayloadLength);
    writeWord(buffer, RateOffset, static_cast<std::uint32_t>(timecode.frameRate));
    writeWord(buffer, ReservedWordOffset, 0);
    writeWord(buffer, CountOffset, static_cast<std::uint32_t>(timecode.frameCount));
    return buffer;
}
