// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "soundfileinput.h"

#include <QFile>

#include <sndfile.h>

#include <thread>

std::unique_ptr<SoundFileInput> SoundFileInput::open(const QString &path, int channel,
                                                     bool realTime, SourceError *error)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) {
        *error = SourceError{QStringLiteral("cannot read %1 as audio: %2")
                                 .arg(path, QString::fromUtf8(sf_strerror(nullptr))),
                             2};
        return nullptr;
    }
    if (channel < 1 || channel > info.channels) {
        sf_close(file);
        *error = SourceError{QStringLiteral("%1 has no channel %2; its channels are 1 to %3")
                                 .arg(path)
                                 .arg(channel)
                                 .arg(info.channels),
                             2};
        return nullptr;
    }
    std::unique_ptr<SoundFileInput> input(new SoundFileInput);
    input->m_file = file;
    input->m_path = path;
    input->m_sampleRate = info.samplerate;
    input->m_channels = info.channels;
    input->m_channel = channel - 1;
    input->m_realTime = realTime;
    input->m_frames.resize(std::size_t(BlockFrames) * std::size_t(info.channels));
    return input;
}

SoundFileInput::~SoundFileInput()
{
    sf_close(m_file);
}

AudioInput::Status SoundFileInput::read(Clock::time_point, std::vector<float> *block)
{
    const sf_count_t frames = sf_readf_float(m_file, m_frames.data(), BlockFrames);
    if (frames <= 0)
        return Status::Finished;
    block->resize(std::size_t(frames));
    for (sf_count_t i = 0; i < frames; ++i)
        (*block)[std::size_t(i)] = m_frames[std::size_t(i * m_channels + m_channel)];

    if (m_realTime) {
        if (m_delivered == 0)
            m_start = Clock::now();
        // Measured from the start, so that the waits never drift; a block
        // is 5 ms at 48 kHz, well inside any deadline.
        const double seconds = double(m_delivered + frames) / m_sampleRate;
        std::this_thread::sleep_until(m_start + std::chrono::duration_cast<Clock::duration>(
                                                    std::chrono::duration<double>(seconds)));
    }
    m_delivered += frames;
    return Status::Block;
}
