// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef SENDLOOP_H
#define SENDLOOP_H

#include "sendoptions.h"

class TimecodeSender;

// Sends what the options ask for, one datagram per frame in real time,
// until the total is sent or stopRequested() turns true. On a terminal it
// keeps the timecode on one live line. Returns the exit status: 0 when done
// or stopped, 1 after a send error (reported on stderr).
int runSendLoop(const SendOptions &options, TimecodeSender &sender, bool (*stopRequested)());

#endif // SENDLOOP_H
