// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef MTCMESSAGES_H
#define MTCMESSAGES_H

#include "timecodelabel.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// MIDI timecode as a sender writes it, for the tests.
namespace mtc {

// "HH:MM:SS:FF", with ';' before the frames for drop-frame.
inline TimecodeLabel label(const QString &text, int rateCode)
{
    TimecodeLabel result;
    result.hours = text.mid(0, 2).toInt();
    result.minutes = text.mid(3, 2).toInt();
    result.seconds = text.mid(6, 2).toInt();
    result.frames = text.mid(9, 2).toInt();
    result.nominalRate = rateCode == 0 ? 24 : rateCode == 1 ? 25 : 30;
    result.dropFrame = rateCode == 2;
    return result;
}

inline QString text(const TimecodeLabel &label)
{
    return QString::asprintf("%02d:%02d:%02d%c%02d", label.hours, label.minutes, label.seconds,
                             label.dropFrame ? ';' : ':', label.frames);
}

// Quarter-frame messages for `sets` sets from `start`, each two frames on
// from the last, in the given direction; reverse sends the pieces 7 to 0.
inline QByteArray quarterFrames(const QString &start, int rateCode, int sets, int direction = 1)
{
    QByteArray bytes;
    TimecodeLabel time = label(start, rateCode);
    for (int set = 0; set < sets; ++set) {
        const int nibbles[8] = {time.frames & 0xF,  time.frames >> 4,
                                time.seconds & 0xF, time.seconds >> 4,
                                time.minutes & 0xF, time.minutes >> 4,
                                time.hours & 0xF,   time.hours >> 4 | rateCode << 1};
        for (int i = 0; i < 8; ++i) {
            const int piece = direction > 0 ? i : 7 - i;
            bytes += char(0xF1);
            bytes += char(piece << 4 | nibbles[piece]);
        }
        time = advanceLabel(time, 2 * direction);
    }
    return bytes;
}

inline QByteArray fullFrame(const QString &time, int rateCode)
{
    const TimecodeLabel l = label(time, rateCode);
    const char bytes[] = {char(0xF0),
                          0x7F,
                          0x7F,
                          0x01,
                          0x01,
                          char(rateCode << 5 | l.hours),
                          char(l.minutes),
                          char(l.seconds),
                          char(l.frames),
                          char(0xF7)};
    return QByteArray(bytes, sizeof bytes);
}

// Splits a stream into messages: a status byte and its data bytes.
inline QList<QByteArray> messages(const QByteArray &midi)
{
    QList<QByteArray> result;
    for (qsizetype i = 0; i < midi.size();) {
        qsizetype end = i + 1;
        while (end < midi.size() && (quint8(midi[end]) < 0x80 || quint8(midi[end]) == 0xF7))
            ++end;
        result << midi.mid(i, end - i);
        i = end;
    }
    return result;
}

} // namespace mtc

#endif // MTCMESSAGES_H
