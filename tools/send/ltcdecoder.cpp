// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "ltcdecoder.h"

#include <ltc.h>

#include <algorithm>
#include <cmath>

namespace {

// Peaks are brought up to half of full scale, but a signal below -46 dBFS
// is never lifted further: silence and hiss stay small.
constexpr float TargetPeak = 0.5f;
constexpr float QuietestPeak = 0.005f;

} // namespace

LtcDecoder::LtcDecoder(double sampleRate)
    : m_decoder(ltc_decoder_create(int(sampleRate / 25), 32)), m_sampleRate(sampleRate)
{}

LtcDecoder::~LtcDecoder()
{
    ltc_decoder_free(m_decoder);
}

void LtcDecoder::write(const float *samples, std::size_t count, std::vector<LtcFrame> *frames)
{
    // The peak falls by half in about a quarter of a second, so that the
    // gain follows a fader but holds over the quiet half of one bit.
    float blockPeak = 0;
    for (std::size_t i = 0; i < count; ++i)
        blockPeak = std::max(blockPeak, std::abs(samples[i]));
    const float decay = float(std::exp2(-double(count) / (m_sampleRate / 4)));
    m_peak = std::max(blockPeak, m_peak * decay);
    const float gain = TargetPeak / std::max(m_peak, QuietestPeak);

    m_bytes.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const float level = std::clamp(samples[i] * gain, -1.0f, 1.0f);
        m_bytes[i] = static_cast<unsigned char>(std::lround(128 + level * 127));
    }
    ltc_decoder_write(m_decoder, m_bytes.data(), count, m_written);
    m_written += std::int64_t(count);

    LTCFrameExt decoded;
    while (ltc_decoder_read(m_decoder, &decoded)) {
        // The rate from the frame's length, averaged over a few frames; a
        // length far from the average (the first frame, a change of rate,
        // a varispeed jump) starts the average afresh.
        const double length = double(decoded.off_end - decoded.off_start + 1);
        if (m_frameLength <= 0 || std::abs(length - m_frameLength) > m_frameLength * 0.02)
            m_frameLength = length;
        else
            m_frameLength += (length - m_frameLength) / 4;

        SMPTETimecode time;
        ltc_frame_to_time(&time, &decoded.ltc, 0);
        const std::optional<NominalRate> rate =
            nominalRate(m_sampleRate / m_frameLength, decoded.ltc.dfbit != 0);
        if (!rate)
            continue;
        frames->push_back(LtcFrame{TimecodeFields{time.hours, time.mins, time.secs, time.frame},
                                   *rate, decoded.reverse != 0, decoded.off_end});
    }
}
