// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "timecodestate.h"

void acceptTimecode(TimecodeState &state, const Timecode &timecode, const QHostAddress &address,
                    quint16 port)
{
    if (address != state.senderAddress || port != state.senderPort) {
        state.senderAddress = address;
        state.senderPort = port;
        if (state.frameCount != NoTimecode)
            state.senderChangeTicks = SenderChangeHighlightTicks;
    }
    state.frameCount = timecode.frameCount;
    state.frameRate = timecode.frameRate;
    state.ticksSinceDatagram = 0;
}

bool countTick(TimecodeState &state)
{
    bool changed = false;

    if (state.frameCount != NoTimecode) {
        ++state.ticksSinceDatagram;
        if (state.ticksSinceDatagram >= LossOfSignalTicks) {
            state.frameCount = NoTimecode;
            // Dashes after a loss of signal are never red.
            state.senderChangeTicks = 0;
            changed = true;
        }
    }

    if (state.senderChangeTicks > 0) {
        --state.senderChangeTicks;
        if (state.senderChangeTicks == 0)
            changed = true;
    }

    return changed;
}
