// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef AUDIOINPUT_H
#define AUDIOINPUT_H

#include <QString>

#include <chrono>
#include <vector>

// One channel of audio, block by block, as it arrives: from a sound file
// played in real time or from a live input.
class AudioInput
{
public:
    using Clock = std::chrono::steady_clock;

    enum class Status { Block, Waiting, Finished, Failed };

    virtual ~AudioInput() = default;

    virtual double sampleRate() const = 0;

    // What the status line calls it: the file, or the JACK port.
    virtual QString name() const = 0;

    // Waits for the next block, until 'until' at the latest. Block: *block
    // holds it; Waiting: nothing came in time; Finished: the end of a file;
    // Failed: errorString() says why.
    virtual Status read(Clock::time_point until, std::vector<float> *block) = 0;

    virtual QString errorString() const { return {}; }
};

#endif // AUDIOINPUT_H
