// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Differential fuzzing of the datagram decoder. Every input is judged twice:
// by decodeTimecodeDatagram and by the plain restatement of the acceptance
// rules below, which shares no code with it. Any disagreement, and any
// accepted datagram that does not encode back to its own bytes, aborts.
//
// Input layout, so that the fuzzer can reach every kind of socket read:
//   byte 0        how the read's reported length is chosen (mod 4):
//                 0: exactly 28, 1: the size of the payload, 2: -1 (a failed
//                 read), 3: a signed 64-bit big-endian number from bytes 1..8
//   rest          the payload; its first 28 bytes fill the buffer, zeros
//                 standing in for missing bytes.

#include "timecodedatagram.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Reference
{
    bool accepted = false;
    long long rate = 0;
    long long count = 0;
};

// Word i of the buffer, as a non-negative number.
long long wordAt(const unsigned char *bytes, int i)
{
    long long word = 0;
    for (int k = 0; k < 4; ++k)
        word = word * 256 + bytes[4 * i + k];
    return word;
}

long long asSigned(long long word)
{
    return word >= 2147483648LL ? word - 4294967296LL : word;
}

// The acceptance rules, written out as plainly as they read.
Reference judge(const unsigned char *bytes, long long reported)
{
    Reference result;
    if (reported != 28)
        return result;
    if (wordAt(bytes, 0) != 1)
        return result;
    if (wordAt(bytes, 2) > 1)
        return result;
    if (wordAt(bytes, 3) != 12)
        return result;
    if (wordAt(bytes, 5) != 0)
        return result;

    const long long rate = asSigned(wordAt(bytes, 4));
    const long long rates[] = {0, 24, 25, 30, 50, 60, 100};
    bool known = false;
    for (long long r : rates)
        known = known || r == rate;
    if (!known)
        return result;

    const long long count = asSigned(wordAt(bytes, 6));
    const long long perSecond = rate == 0 ? 25 : rate;
    if (count < -1 || count >= perSecond * 360000)
        return result;

    result.accepted = true;
    result.rate = rate;
    result.count = count;
    return result;
}

void dump(const char *what, const TimecodeBuffer &buffer, long long reported)
{
    std::fprintf(stderr, "%s (reported length %lld):", what, reported);
    for (unsigned char byte : buffer)
        std::fprintf(stderr, " %02x", byte);
    std::fprintf(stderr, "\n");
    std::abort();
}

long long reportedLength(const std::uint8_t *data, std::size_t size, std::size_t &payload)
{
    payload = 1;
    switch (data[0] % 4) {
    case 0:
        return 28;
    case 1:
        return static_cast<long long>(size - 1);
    case 2:
        return -1;
    default: {
        std::uint64_t length = 0;
        for (std::size_t i = 1; i < 9; ++i)
            length = length << 8 | (i < size ? data[i] : 0);
        payload = size < 9 ? size : 9;
        long long value;
        std::memcpy(&value, &length, sizeof value);
        return value;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;

    std::size_t payload = 0;
    const long long reported = reportedLength(data, size, payload);
    TimecodeBuffer buffer{};
    for (std::size_t i = 0; i < buffer.size() && payload + i < size; ++i)
        buffer[i] = data[payload + i];

    const std::optional<Timecode> decoded = decodeTimecodeDatagram(buffer, reported);
    const Reference expected = judge(buffer.data(), reported);

    if (decoded.has_value() != expected.accepted)
        dump(expected.accepted ? "refused a valid datagram" : "accepted an invalid datagram",
             buffer, reported);
    if (!decoded)
        return 0;
    if (decoded->frameRate != expected.rate || decoded->frameCount != expected.count)
        dump("decoded other values than were sent", buffer, reported);

    // The spare word must not matter: the same datagram with its spare word
    // inverted decodes alike.
    TimecodeBuffer respared = buffer;
    for (int i = 4; i < 8; ++i)
        respared[i] = static_cast<unsigned char>(~respared[i]);
    const std::optional<Timecode> again = decodeTimecodeDatagram(respared, reported);
    if (!again || !(*again == *decoded))
        dump("the spare word changed the result", buffer, reported);

    // What was accepted encodes back to the same bytes, spare word aside.
    const std::uint32_t flagWord = static_cast<std::uint32_t>(wordAt(buffer.data(), 2));
    const TimecodeBuffer encoded = encodeTimecodeDatagram(*decoded, 0, flagWord);
    for (int i = 0; i < TimecodeDatagramSize; ++i) {
        if ((i < 4 || i >= 8) && encoded[i] != buffer[i])
            dump("does not encode back to its own bytes", buffer, reported);
    }
    return 0;
}
