// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef JACKINPUT_H
#define JACKINPUT_H

#include "audioinput.h"
#include "timecodesource.h"

#include <jack/jack.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <memory>
#include <optional>

#include <semaphore.h>

// Keeps libjack from speaking its mind on stderr: the sender says what
// matters itself, in one line.
void silenceJack();

// What to do when no JACK server runs, for every source that needs one.
QString noJackServerMessage();

// Live audio through a JACK input port, "quorvane-send:ltc". JACK's
// real-time thread only copies each period into a ring buffer and wakes the
// reader; decoding and sending happen on the sender's own thread.
class JackInput : public AudioInput
{
public:
    // Connects the capture port 'port' if one is named, else the system's
    // capture port number 'channel' (from 1) if one is given, else nothing:
    // the user connects it, with qjackctl, pw-link or jack_connect.
    static std::unique_ptr<JackInput> open(const QString &port, std::optional<int> channel,
                                           SourceError *error);
    ~JackInput() override;

    double sampleRate() const override { return m_sampleRate; }
    QString name() const override { return m_name; }
    Status read(Clock::time_point until, std::vector<float> *block) override;
    QString errorString() const override { return m_error; }

private:
    JackInput();
    bool connectCapture(const QString &port, std::optional<int> channel, SourceError *error);

    static int process(jack_nframes_t frames, void *self);
    static void shutdown(void *self);

    jack_client_t *m_client = nullptr;
    jack_port_t *m_port = nullptr;
    jack_ringbuffer_t *m_ring = nullptr;
    sem_t m_ready;
    std::atomic<bool> m_serverGone{false};
    double m_sampleRate = 0;
    QString m_name;
    QString m_error;
};

#endif // JACKINPUT_H
