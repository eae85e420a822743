// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "mtcwriter.h"

#include <jack/midiport.h>

#include <thread>

namespace {
void quiet(const char *) {}
} // namespace

bool MtcWriter::open(const char *clientName, int timeoutMs)
{
    // Each try before the server is up would print a complaint.
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    // The server may still be starting.
    for (int waited = 0; !m_client && waited < timeoutMs; waited += 50) {
        m_client = jack_client_open(clientName, JackNoStartServer, nullptr);
        if (!m_client)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!m_client)
        return false;
    m_port = jack_port_register(m_client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    return m_port && jack_set_process_callback(m_client, process, this) == 0 &&
           jack_activate(m_client) == 0;
}

void MtcWriter::close()
{
    if (m_client)
        jack_client_close(m_client);
    m_client = nullptr;
}

QString MtcWriter::portName() const
{
    return QString::fromUtf8(jack_port_name(m_port));
}

bool MtcWriter::connected() const
{
    return jack_port_connected(m_port) > 0;
}

void MtcWriter::play(const QList<QByteArray> &messages)
{
    // Only ever called while the process thread has nothing left to play.
    m_messages.assign(messages.cbegin(), messages.cend());
    m_times.assign(messages.size(), Clock::time_point());
    m_played.store(0, std::memory_order_relaxed);
    m_total.store(m_messages.size(), std::memory_order_release);
}

int MtcWriter::process(jack_nframes_t frames, void *self)
{
    auto *writer = static_cast<MtcWriter *>(self);
    void *buffer = jack_port_get_buffer(writer->m_port, frames);
    jack_midi_clear_buffer(buffer);
    const std::size_t next = writer->m_played.load(std::memory_order_relaxed);
    if (next < writer->m_total.load(std::memory_order_acquire)) {
        const QByteArray &message = writer->m_messages[next];
        writer->m_times[next] = Clock::now();
        jack_midi_event_write(buffer, 0,
                              reinterpret_cast<const jack_midi_data_t *>(message.constData()),
                              size_t(message.size()));
        writer->m_played.store(next + 1, std::memory_order_release);
    }
    return 0;
}
