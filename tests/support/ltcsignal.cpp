// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "ltcsignal.h"

#include <QFile>

#include <ltc.h>
#include <sndfile.h>

#include <cmath>

std::vector<float> libltcSignal(double sampleRate, double fps, const TimecodeFields &start,
                                int frames, bool reverse)
{
    const LTC_TV_STANDARD standard = std::lround(fps) == 25   ? LTC_TV_625_50
                                     : std::lround(fps) == 24 ? LTC_TV_FILM_24
                                                              : LTC_TV_525_60;
    LTCEncoder *encoder = ltc_encoder_create(sampleRate, fps, standard, 0);
    ltc_encoder_set_volume(encoder, 0);
    SMPTETimecode time{};
    time.hours = static_cast<unsigned char>(start.hours);
    time.mins = static_cast<unsigned char>(start.minutes);
    time.secs = static_cast<unsigned char>(start.seconds);
    time.frame = static_cast<unsigned char>(start.frames);
    ltc_encoder_set_timecode(encoder, &time);

    std::vector<float> samples;
    for (int i = 0; i < frames; ++i) {
        if (reverse)
            ltc_encoder_encode_reversed_frame(encoder);
        else
            ltc_encoder_encode_frame(encoder);
        ltcsnd_sample_t *buffer = nullptr;
        const int size = ltc_encoder_get_bufferptr(encoder, &buffer, 1);
        for (int s = 0; s < size; ++s)
            samples.push_back((float(buffer[s]) - 128.0f) / 127.0f);
        if (reverse)
            ltc_encoder_dec_timecode(encoder);
        else
            ltc_encoder_inc_timecode(encoder);
    }
    ltc_encoder_free(encoder);
    return samples;
}

namespace {

// The 80 bits of a frame, in the order they are sent.
std::vector<bool> frameBits(const TimecodeFields &t, int fps)
{
    std::vector<bool> bits(80, false);
    auto put = [&bits](int first, int count, int value) {
        for (int i = 0; i < count; ++i)
            bits[std::size_t(first + i)] = (value >> i) & 1;
    };
    put(0, 4, t.frames % 10);
    put(8, 2, t.frames / 10);
    put(16, 4, t.seconds % 10);
    put(24, 3, t.seconds / 10);
    put(32, 4, t.minutes % 10);
    put(40, 3, t.minutes / 10);
    put(48, 4, t.hours % 10);
    put(56, 2, t.hours / 10);
    put(64, 16, 0xBFFC); // the sync word 0011 1111 1111 1101, first bit lowest
    // The polarity bit (27, or 59 at 25 fps) keeps the count of zeros even,
    // so that every frame starts on the same level.
    int ones = 0;
    for (const bool bit : bits)
        ones += bit;
    bits[fps == 25 ? 59 : 27] = ones % 2 != 0;
    return bits;
}

} // namespace

std::vector<float> handmadeSignal(double sampleRate, int fps, const TimecodeFields &start,
                                  int frames)
{
    std::vector<float> samples;
    const double samplesPerHalfBit = sampleRate / (fps * 80.0 * 2);
    float level = 0.9f;
    double edge = 0; // where the current half bit ends, in samples
    TimecodeFields t = start;
    for (int f = 0; f < frames; ++f) {
        for (const bool bit : frameBits(t, fps)) {
            // A transition at every bit boundary, and one more in the
            // middle of a one.
            for (int half = 0; half < 2; ++half) {
                if (half == 0 || bit)
                    level = -level;
                edge += samplesPerHalfBit;
                while (double(samples.size()) < std::round(edge))
                    samples.push_back(level);
            }
        }
        if (++t.frames == fps) {
            t.frames = 0;
            if (++t.seconds == 60) {
                t.seconds = 0;
                if (++t.minutes == 60) {
                    t.minutes = 0;
                    t.hours = (t.hours + 1) % 24;
                }
            }
        }
    }
    return samples;
}

bool writeSoundFile(const QString &path, const std::vector<float> &samples, int sampleRate,
                    int channels, int channel)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = path.endsWith(QLatin1String(".flac"))   ? SF_FORMAT_FLAC | SF_FORMAT_PCM_16
                  : path.endsWith(QLatin1String(".aiff")) ? SF_FORMAT_AIFF | SF_FORMAT_PCM_16
                                                          : SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<float> frames(samples.size() * std::size_t(channels), 0.0f);
    for (std::size_t i = 0; i < samples.size(); ++i)
        frames[i * std::size_t(channels) + std::size_t(channel)] = samples[i];
    const sf_count_t written = sf_writef_float(file, frames.data(), sf_count_t(samples.size()));
    sf_close(file);
    return written == sf_count_t(samples.size());
}
