// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// quorvane-bench-stream HZ SECONDS
//
// Sends timecode to 127.0.0.1:8201 at HZ datagrams per second for SECONDS,
// at 100 fps with the count advancing by one per datagram, so that every
// datagram changes the digits on the display.

#include "loopback.h"

#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: quorvane-bench-stream HZ SECONDS\n", stderr);
        return 2;
    }
    const long hz = std::atol(argv[1]);
    const double seconds = std::atof(argv[2]);
    if (hz <= 0 || seconds <= 0) {
        std::fputs("quorvane-bench-stream: HZ and SECONDS must be positive\n", stderr);
        return 2;
    }
    const long total = long(hz * seconds);
    const long periodNs = 1000000000L / hz;

    LoopbackSocket socket;
    timespec next;
    clock_gettime(CLOCK_MONOTONIC, &next);
    std::int32_t count = (10 * 3600) * 100;
    for (long i = 0; i < total; ++i) {
        socket.send(encodeTimecodeDatagram(Timecode{100, count++}), 8201);
        next.tv_nsec += periodNs;
        while (next.tv_nsec >= 1000000000L) {
            next.tv_nsec -= 1000000000L;
            ++next.tv_sec;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    }
    return 0;
}
