// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Differential fuzzing of the ArtTimeCode parser: each input is a packet as
// it arrives on UDP 6454, judged by parseArtTimeCode and by the plain
// restatement below, which shares no code with it. Any disagreement aborts.

#include "artnettimecode.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct Reference
{
    bool accepted = false;
    int hours = 0, minutes = 0, seconds = 0, frames = 0, rate = 0;
    bool drop = false;
};

Reference judge(const std::uint8_t *data, std::size_t size)
{
    Reference r;
    const char id[] = "Art-Net";
    if (size < 19)
        return r;
    for (int i = 0; i < 8; ++i) {
        if (data[i] != static_cast<std::uint8_t>(id[i]))
            return r;
    }
    if (data[8] + 256 * data[9] != 0x9700)
        return r;
    if (256 * data[10] + data[11] < 14)
        return r;
    const int rates[] = {24, 25, 30, 30};
    if (data[18] > 3)
        return r;
    r.rate = rates[data[18]];
    r.drop = data[18] == 2;
    r.frames = data[14];
    r.seconds = data[15];
    r.minutes = data[16];
    r.hours = data[17];
    if (r.frames >= r.rate || r.seconds > 59 || r.minutes > 59 || r.hours > 23)
        return r;
    // Drop-frame has no frames 0 and 1 at the start of a minute, but every
    // tenth.
    if (r.drop && r.seconds == 0 && r.frames < 2 && r.minutes % 10 != 0)
        return r;
    r.accepted = true;
    return r;
}

void fail(const char *what, const std::uint8_t *data, std::size_t size)
{
    std::fprintf(stderr, "%s (%zu bytes):", what, size);
    for (std::size_t i = 0; i < size && i < 32; ++i)
        std::fprintf(stderr, " %02x", data[i]);
    std::fprintf(stderr, "\n");
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::optional<TimecodeLabel> parsed = parseArtTimeCode(data, size);
    const Reference expected = judge(data, size);
    if (parsed.has_value() != expected.accepted)
        fail(expected.accepted ? "refused a valid packet" : "accepted an invalid packet", data,
             size);
    if (parsed && (parsed->hours != expected.hours || parsed->minutes != expected.minutes ||
                   parsed->seconds != expected.seconds || parsed->frames != expected.frames ||
                   parsed->nominalRate != expected.rate || parsed->dropFrame != expected.drop))
        fail("read other fields than were sent", data, size);
    return 0;
}
