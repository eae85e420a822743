// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef SOUNDFILEINPUT_H
#define SOUNDFILEINPUT_H

#include "audioinput.h"
#include "timecodesource.h"

#include <memory>

typedef struct sf_private_tag SNDFILE;

// One channel of a WAV, FLAC or AIFF file (anything libsndfile reads),
// handed out in blocks. Played in real time, each block comes when its last
// sample would have been heard; otherwise as fast as it is read, for tests
// and benchmarks.
class SoundFileInput : public AudioInput
{
public:
    static constexpr int BlockFrames = 256;

    // channel counts from 1. A file that cannot be read or is not audio, or
    // a channel it does not have, is the user's mistake (exit status 2).
    static std::unique_ptr<SoundFileInput> open(const QString &path, int channel, bool realTime,
                                                SourceError *error);
    ~SoundFileInput() override;

    double sampleRate() const override { return m_sampleRate; }
    QString name() const override { return m_path; }
    Status read(Clock::time_point until, std::vector<float> *block) override;

private:
    SoundFileInput() = default;

    SNDFILE *m_file = nullptr;
    QString m_path;
    double m_sampleRate = 0;
    int m_channels = 0;
    int m_channel = 0; // from 0
    bool m_realTime = false;
    std::vector<float> m_frames;
    std::int64_t m_delivered = 0;
    Clock::time_point m_start;
};

#endif // SOUNDFILEINPUT_H
