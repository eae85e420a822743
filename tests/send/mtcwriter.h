// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef MTCWRITER_H
#define MTCWRITER_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <chrono>
#include <vector>

#include <jack/jack.h>

// A JACK MIDI output that plays messages, one per process cycle, as a DAW
// would send timecode. At 48 kHz with 480-frame periods that is 100
// messages a second: the quarter-frame rate of 25 fps.
class MtcWriter
{
public:
    using Clock = std::chrono::steady_clock;

    ~MtcWriter();

    // Opens the client on the running server, waiting up to timeoutMs for it.
    bool open(const char *clientName, int timeoutMs);
    void close();
    QString portName() const;
    bool connected() const;

    // Plays the messages from the next cycle on; played() counts them, and
    // playedAt(i) is when message i was handed to JACK.
    void play(const QList<QByteArray> &messages);
    std::size_t played() const { return m_played.load(std::memory_order_acquire); }
    Clock::time_point playedAt(std::size_t i) const { return m_times[i]; }

private:
    static int process(jack_nframes_t frames, void *self);

    jack_client_t *m_client = nullptr;
    jack_port_t *m_port = nullptr;
    std::vector<QByteArray> m_messages;
    std::vector<Clock::time_point> m_times;
    std::atomic<std::size_t> m_played{0};
    std::atomic<std::size_t> m_total{0};
};

inline MtcWriter::~MtcWriter()
{
    close();
}

#endif // MTCWRITER_H
