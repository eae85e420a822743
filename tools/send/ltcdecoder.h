// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef LTCDECODER_H
#define LTCDECODER_H

#include "sourceframes.h"

#include <cstdint>
#include <vector>

typedef struct LTCDecoder LTCDecoder;

// One LTC frame as read from the audio.
struct LtcFrame
{
    TimecodeFields fields;
    NominalRate rate;
    bool reverse = false;
    std::int64_t endSample = 0; // the frame's last sample, counted from the first written
};

// libltc's decoder with what it leaves to its caller: a gain that brings
// quiet LTC (down to about -40 dBFS) to a level libltc's 8-bit input can
// read, and the nominal rate, measured from the length of the frames.
class LtcDecoder
{
public:
    explicit LtcDecoder(double sampleRate);
    ~LtcDecoder();
    LtcDecoder(const LtcDecoder &) = delete;
    LtcDecoder &operator=(const LtcDecoder &) = delete;

    // Feeds the next block; appends each frame whose last bit lies in it.
    // A frame whose rate cannot be told is left out.
    void write(const float *samples, std::size_t count, std::vector<LtcFrame> *frames);

private:
    LTCDecoder *m_decoder;
    double m_sampleRate;
    float m_peak = 0;
    double m_frameLength = 0; // samples per frame, averaged
    std::int64_t m_written = 0;
    std::vector<unsigned char> m_bytes;
};

#endif // LTCDECODER_H
