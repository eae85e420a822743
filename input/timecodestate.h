// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef TIMECODESTATE_H
#define TIMECODESTATE_H

#include "timecodedatagram.h"

#include <QHostAddress>

// What the receiver and the watchdog share: the timecode on display, who sent
// it, and the two tick counts. The window owns one of these; the decisions
// that change it live here so that they can be exercised without sockets,
// timers or widgets.
struct TimecodeState
{
    qint32 frameCount = NoTimecode;
    qint32 frameRate = 0;
    QHostAddress senderAddress; // null until the first accepted datagram
    quint16 senderPort = 0;
    qint32 senderChangeTicks = 0; // > 0: the digits are drawn red
    qint32 ticksSinceDatagram = 0;
};

constexpr qint32 SenderChangeHighlightTicks = 5; // half a second of red
constexpr qint32 LossOfSignalTicks = 20;         // two seconds of silence
constexpr int TickIntervalMs = 100;

// Takes an accepted timecode from address:port into the state. A new sender
// only turns the digits red when it takes over a timecode that is on display;
// a first sender, or one arriving after loss of signal, shows green at once.
void acceptTimecode(TimecodeState &state, const Timecode &timecode, const QHostAddress &address,
                    quint16 port);

// One watchdog tick: clears the timecode on the 20th tick without a datagram
// and counts the red highlight down. Returns true when the display changed
// and must be repainted; the counting itself is invisible.
bool countTick(TimecodeState &state);

#endif // TIMECODESTATE_H
