// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef SENDLOOP_H
#define SENDLOOP_H

#include <cstdint>
#include <optional>

class TimecodeSender;
class TimecodeSource;

// Sends each frame the source hands out, the moment it does, until
// frameTotal datagrams are sent, the source ends, or stopRequested() turns
// true. On a terminal it keeps the timecode, or what the source waits for,
// on one live line. A failed send never ends the run: it is reported once
// on stderr with the system's reason, and again when sending works once
// more. Returns the exit status: 0 when done or stopped, 1 when the source
// broke down (reported on stderr).
int runSendLoop(TimecodeSource &source, TimecodeSender &sender,
                std::optional<std::int64_t> frameTotal, bool (*stopRequested)());

#endif // SENDLOOP_H
