// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "ltcsource.h"

LtcSource::LtcSource(std::unique_ptr<AudioInput> input)
    : m_input(std::move(input)), m_decoder(m_input->sampleRate())
{}

TimecodeSource::Status LtcSource::next(Clock::time_point until, SourceFrame *frame)
{
    for (;;) {
        while (m_handedOut < m_decoded.size()) {
            const LtcFrame &ltc = m_decoded[m_handedOut++];
            m_lastFrameEnd = ltc.endSample;
            const std::optional<std::int32_t> count =
                framesSinceMidnight(ltc.fields, ltc.rate.frameRate);
            if (!count)
                continue;
            if (const std::optional<std::int32_t> sent =
                    m_guard.accept(*count, ltc.rate.frameRate, ltc.rate.dropFrame)) {
                *frame = SourceFrame{ltc.rate.frameRate, *sent, flagWordFor(ltc.rate.dropFrame)};
                return Status::Frame;
            }
        }
        if (Clock::now() >= until)
            return Status::Waiting;
        m_decoded.clear();
        m_handedOut = 0;
        switch (m_input->read(until, &m_block)) {
        case AudioInput::Status::Block:
            m_decoder.write(m_block.data(), m_block.size(), &m_decoded);
            m_samplesRead += std::int64_t(m_block.size());
            break;
        case AudioInput::Status::Waiting:
            return Status::Waiting;
        case AudioInput::Status::Finished:
            return Status::Finished;
        case AudioInput::Status::Failed:
            return Status::Failed;
        }
    }
}

QString LtcSource::waitingText() const
{
    if (m_lastFrameEnd < 0)
        return QStringLiteral("no LTC yet on %1").arg(m_input->name());
    // Half a second without a frame: LTC has stopped, not merely paused
    // between two blocks.
    if (m_samplesRead - m_lastFrameEnd > std::int64_t(m_input->sampleRate() / 2))
        return QStringLiteral("no LTC on %1").arg(m_input->name());
    return {};
}
