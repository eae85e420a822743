// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "mtcsource.h"

#include "jackinput.h"
#include "sourceframes.h"

#include <QFileInfo>

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <rtmidi/RtMidi.h>

namespace {

const char ClientName[] = "quorvane-send";
// Far more than a second of timecode; beyond it the reader has stalled and
// old messages are worth nothing.
constexpr std::size_t QueueLimit = 4096;

// RtMidi would print its warnings; the user gets ours instead.
void ignoreWarning(RtMidiError::Type, const std::string &, void *) {}

void quietAlsa(const char *, int, const char *, int, const char *, ...) {}

// The libraries' own complaints would bury the one line that says what to
// do.
void quietLibraries()
{
    snd_lib_error_set_handler(quietAlsa);
    silenceJack();
}

bool jackServerRunning()
{
    jack_status_t status;
    jack_client_t *client = jack_client_open(ClientName, JackNoStartServer, &status);
    if (!client)
        return false;
    jack_client_close(client);
    return true;
}

std::unique_ptr<RtMidiIn> openMidi(RtMidi::Api api, QString *error)
{
    quietLibraries();
    // Without the kernel's sequencer RtMidi would print its failure as well.
    if (api == RtMidi::LINUX_ALSA && !QFileInfo::exists(QStringLiteral("/dev/snd/seq"))) {
        *error = QStringLiteral("/dev/snd/seq is missing; load the snd-seq module");
        return nullptr;
    }
    try {
        auto midi = std::make_unique<RtMidiIn>(api, ClientName);
        midi->setErrorCallback(ignoreWarning, nullptr);
        return midi;
    } catch (const RtMidiError &e) {
        *error = QString::fromStdString(e.getMessage());
        return nullptr;
    }
}

QStringList portNames(RtMidiIn &midi)
{
    QStringList names;
    for (unsigned int i = 0, n = midi.getPortCount(); i < n; ++i)
        names << QString::fromStdString(midi.getPortName(i));
    return names;
}

} // namespace

MtcSource::MtcSource() = default;

// RtMidi goes first, so that no message arrives for a queue that is gone.
MtcSource::~MtcSource()
{
    m_midi.reset();
}

bool MtcSource::open(const QString &input, SourceError *error)
{
    const bool jack = input.startsWith(QLatin1String("jack:"));
    const QString wanted = jack ? input.mid(5) : input;
    quietLibraries();
    if (jack && !jackServerRunning()) {
        *error = SourceError{noJackServerMessage(), 1};
        return false;
    }
    QString reason;
    m_midi = openMidi(jack ? RtMidi::UNIX_JACK : RtMidi::LINUX_ALSA, &reason);
    if (!m_midi) {
        *error = SourceError{
            QStringLiteral("cannot open %1: %2")
                .arg(jack ? QStringLiteral("JACK MIDI") : QStringLiteral("the ALSA sequencer"),
                     reason),
            1};
        return false;
    }

    // The exact name, or else the one name that contains it, such as "14:0"
    // or a device's name for ALSA.
    const QStringList names = portNames(*m_midi);
    int port = int(names.indexOf(wanted));
    if (port < 0) {
        for (int i = 0; i < names.size(); ++i) {
            if (!names[i].contains(wanted))
                continue;
            if (port >= 0) {
                *error =
                    SourceError{QStringLiteral("--input %1 names several MIDI inputs: %2 and %3")
                                    .arg(input, names[port], names[i]),
                                2};
                return false;
            }
            port = i;
        }
    }
    if (port < 0) {
        *error = SourceError{QStringLiteral("no MIDI input %1 (see --list-inputs)").arg(input), 2};
        return false;
    }

    m_midi->setCallback(receive, this);
    // By default RtMidi drops SysEx and timing messages, which are all that
    // MIDI timecode is made of.
    m_midi->ignoreTypes(false, false, true);
    m_midi->openPort(unsigned(port), "mtc");
    if (!m_midi->isPortOpen()) {
        *error = SourceError{QStringLiteral("cannot connect to MIDI input %1").arg(names[port]), 1};
        return false;
    }
    return true;
}

void MtcSource::receive(double, std::vector<unsigned char> *message, void *self)
{
    auto *source = static_cast<MtcSource *>(self);
    {
        const std::lock_guard<std::mutex> lock(source->m_mutex);
        if (source->m_messages.size() < QueueLimit)
            source->m_messages.push_back(*message);
    }
    source->m_arrived.notify_one();
}

TimecodeSource::Status MtcSource::next(Clock::time_point until, SourceFrame *frame)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        while (!m_messages.empty()) {
            const std::vector<unsigned char> message = std::move(m_messages.front());
            m_messages.pop_front();
            lock.unlock();
            const std::optional<TimecodeLabel> label =
                m_parser.feed(message.data(), message.size());
            lock.lock();
            if (!label)
                continue;
            const std::optional<std::int32_t> count = labelFrameCount(*label);
            if (!count)
                continue;
            *frame = SourceFrame{label->nominalRate, *count, flagWordFor(label->dropFrame)};
            m_heard = true;
            return Status::Frame;
        }
        if (m_arrived.wait_until(lock, until) == std::cv_status::timeout && m_messages.empty())
            return Status::Waiting;
    }
}

QString MtcSource::waitingText() const
{
    return m_heard ? QString() : QStringLiteral("no MIDI timecode yet");
}

QStringList MtcSource::inputNames(QStringList *notes)
{
    QStringList inputs;
    QString reason;
    if (const std::unique_ptr<RtMidiIn> alsa = openMidi(RtMidi::LINUX_ALSA, &reason))
        inputs << portNames(*alsa);
    else
        *notes << QStringLiteral("ALSA sequencer not available: %1").arg(reason);
    if (!jackServerRunning()) {
        *notes << noJackServerMessage();
    } else if (const std::unique_ptr<RtMidiIn> jack = openMidi(RtMidi::UNIX_JACK, &reason)) {
        for (const QString &name : portNames(*jack))
            inputs << QStringLiteral("jack:") + name;
    }
    return inputs;
}
