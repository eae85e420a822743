// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "jackinput.h"

#include <cerrno>
#include <ctime>

namespace {

void quiet(const char *) {}

constexpr std::size_t RingSeconds = 1;

} // namespace

void silenceJack()
{
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
}

QString noJackServerMessage()
{
    return QStringLiteral(
        "no JACK server is running: start one (for example 'jackd -d alsa', or with "
        "qjackctl), or on a PipeWire desktop install PipeWire's JACK support "
        "(pipewire-jack) and run 'pw-jack quorvane-send ...'");
}

JackInput::JackInput()
{
    sem_init(&m_ready, 0, 0);
}

JackInput::~JackInput()
{
    if (m_client)
        jack_client_close(m_client);
    if (m_ring)
        jack_ringbuffer_free(m_ring);
    sem_destroy(&m_ready);
}

std::unique_ptr<JackInput> JackInput::open(const QString &port, std::optional<int> channel,
                                           SourceError *error)
{
    silenceJack();

    std::unique_ptr<JackInput> input(new JackInput);
    jack_status_t status{};
    input->m_client = jack_client_open("quorvane-send", JackNoStartServer, &status);
    if (!input->m_client) {
        *error = SourceError{noJackServerMessage(), 1};
        return nullptr;
    }
    input->m_sampleRate = jack_get_sample_rate(input->m_client);
    input->m_ring =
        jack_ringbuffer_create(std::size_t(input->m_sampleRate) * RingSeconds * sizeof(float));
    input->m_port =
        jack_port_register(input->m_client, "ltc", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    if (!input->m_ring || !input->m_port) {
        *error = SourceError{QStringLiteral("cannot register a JACK input port"), 1};
        return nullptr;
    }
    input->m_name = QString::fromUtf8(jack_port_name(input->m_port));
    jack_set_process_callback(input->m_client, process, input.get());
    jack_on_shutdown(input->m_client, shutdown, input.get());
    if (jack_activate(input->m_client) != 0) {
        *error = SourceError{QStringLiteral("cannot activate the JACK client"), 1};
        return nullptr;
    }
    if (!input->connectCapture(port, channel, error))
        return nullptr;
    return input;
}

bool JackInput::connectCapture(const QString &port, std::optional<int> channel, SourceError *error)
{
    QString source = port;
    if (source.isEmpty() && channel) {
        const char **ports = jack_get_ports(m_client, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                                            JackPortIsPhysical | JackPortIsOutput);
        int count = 0;
        while (ports && ports[count])
            ++count;
        if (*channel >= 1 && *channel <= count)
            source = QString::fromUtf8(ports[*channel - 1]);
        jack_free(ports);
        if (source.isEmpty()) {
            *error = SourceError{
                QStringLiteral("JACK has no capture channel %1; its channels are 1 to %2")
                    .arg(*channel)
                    .arg(count),
                2};
            return false;
        }
    }
    if (source.isEmpty())
        return true;
    if (!jack_port_by_name(m_client, source.toUtf8().constData())) {
        *error = SourceError{QStringLiteral("JACK has no port '%1'").arg(source), 2};
        return false;
    }
    if (jack_connect(m_client, source.toUtf8().constData(), jack_port_name(m_port)) != 0) {
        *error = SourceError{
            QStringLiteral("cannot connect JACK port '%1' to %2").arg(source, m_name), 1};
        return false;
    }
    m_name = source;
    return true;
}

// JACK's real-time thread: no locks, no allocation, no system calls but
// sem_post.
int JackInput::process(jack_nframes_t frames, void *self)
{
    auto *input = static_cast<JackInput *>(self);
    const auto *samples = static_cast<const float *>(jack_port_get_buffer(input->m_port, frames));
    const std::size_t bytes = frames * sizeof(float);
    // A reader a whole second behind loses the period; the decoder then
    // misses a frame or two and picks up again.
    if (jack_ringbuffer_write_space(input->m_ring) >= bytes)
        jack_ringbuffer_write(input->m_ring, reinterpret_cast<const char *>(samples), bytes);
    sem_post(&input->m_ready);
    return 0;
}

void JackInput::shutdown(void *self)
{
    auto *input = static_cast<JackInput *>(self);
    input->m_serverGone = true;
    sem_post(&input->m_ready);
}

AudioInput::Status JackInput::read(Clock::time_point until, std::vector<float> *block)
{
    for (;;) {
        const std::size_t bytes =
            jack_ringbuffer_read_space(m_ring) / sizeof(float) * sizeof(float);
        if (bytes > 0) {
            block->resize(bytes / sizeof(float));
            jack_ringbuffer_read(m_ring, reinterpret_cast<char *>(block->data()), bytes);
            return Status::Block;
        }
        if (m_serverGone) {
            m_error = QStringLiteral("the JACK server has shut down");
            return Status::Failed;
        }
        // The wait runs on the monotonic clock, like 'until'.
        const auto left = until - Clock::now();
        if (left <= Clock::duration::zero())
            return Status::Waiting;
        timespec deadline{};
        clock_gettime(CLOCK_MONOTONIC, &deadline);
        const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        deadline.tv_sec += time_t(nanoseconds / 1'000'000'000);
        deadline.tv_nsec += long(nanoseconds % 1'000'000'000);
        if (deadline.tv_nsec >= 1'000'000'000) {
            ++deadline.tv_sec;
            deadline.tv_nsec -= 1'000'000'000;
        }
        while (sem_clockwait(&m_ready, CLOCK_MONOTONIC, &deadline) != 0 && errno == EINTR) {
        }
    }
}
