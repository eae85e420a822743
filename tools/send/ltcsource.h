// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef LTCSOURCE_H
#define LTCSOURCE_H

#include "audioinput.h"
#include "jumpguard.h"
#include "ltcdecoder.h"
#include "timecodesource.h"

#include <memory>

// LTC from an audio input. Each frame is handed out as soon as its last bit
// has been read, as frames since midnight at its nominal rate, with the
// drop-frame mark in the flag word. A jump goes out only once a second
// frame agrees with it; without LTC nothing goes out at all.
class LtcSource : public TimecodeSource
{
public:
    explicit LtcSource(std::unique_ptr<AudioInput> input);

    Status next(Clock::time_point until, SourceFrame *frame) override;
    QString waitingText() const override;
    QString errorString() const override { return m_input->errorString(); }

private:
    std::unique_ptr<AudioInput> m_input;
    LtcDecoder m_decoder;
    JumpGuard m_guard;
    std::vector<LtcFrame> m_decoded;
    std::size_t m_handedOut = 0;
    std::vector<float> m_block;
    std::int64_t m_samplesRead = 0;
    std::int64_t m_lastFrameEnd = -1;
};

#endif // LTCSOURCE_H
