// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef MTCSOURCE_H
#define MTCSOURCE_H

#include "mtcparser.h"
#include "sourcefactory.h"
#include "timecodesource.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class RtMidiIn;

// MIDI timecode from an ALSA sequencer port or, written jack:NAME, a JACK
// MIDI port, read through RtMidi. Messages arrive on RtMidi's thread and
// are parsed here, so that each frame goes out the moment it is known.
class MtcSource : public TimecodeSource
{
public:
    MtcSource();
    ~MtcSource() override;

    // Connects to the input. A name that matches no port, or several, is
    // the user's mistake (exit status 2); no JACK server, or no ALSA
    // sequencer, a failure of the system (1).
    bool open(const QString &input, SourceError *error);

    Status next(Clock::time_point until, SourceFrame *frame) override;
    QString waitingText() const override;

    // The inputs there are, as --input takes them: ALSA sequencer ports by
    // name, JACK ports as jack:NAME. What cannot be asked goes to *notes.
    static QStringList inputNames(QStringList *notes);

private:
    static void receive(double, std::vector<unsigned char> *message, void *self);

    std::unique_ptr<RtMidiIn> m_midi;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<std::vector<unsigned char>> m_messages;
    MtcParser m_parser;
    bool m_heard = false;
};

#endif // MTCSOURCE_H
