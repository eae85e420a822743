// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sendloop.h"

#include "timecodesender.h"
#include "timecodesource.h"
#include "timecodetext.h"

#include <algorithm>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

// The line a person watches; a pipe or a log gets nothing per frame.
class LiveLine
{
public:
    LiveLine() : m_enabled(isatty(fileno(stdout)) != 0) {}
    ~LiveLine() { finish(); }

    // Ends the live line so that whatever follows starts on a line of its own.
    void finish()
    {
        if (m_shown)
            std::fputs("\n", stdout);
        std::fflush(stdout);
        m_shown = false;
    }

    void show(const SourceFrame &frame, const QString &route)
    {
        show(QStringLiteral("%1  %2 fps%3  to %4")
                 .arg(timecodeText(frame.frameCount, frame.frameRate))
                 .arg(effectiveFrameRate(frame.frameRate), 3)
                 .arg(frame.flagWord == 1 ? QStringLiteral(" DF") : QStringLiteral("   "))
                 .arg(route));
    }

    void show(const QString &text)
    {
        if (!m_enabled)
            return;
        // Padded to the longest line so far, so that each carriage return
        // overwrites the last completely.
        m_width = std::max(m_width, int(text.size()));
        const QString line = QLatin1Char('\r') + text.leftJustified(m_width);
        std::fputs(line.toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
        m_shown = true;
    }

private:
    bool m_enabled;
    bool m_shown = false;
    int m_width = 0;
};

} // namespace

int runSendLoop(TimecodeSource &source, TimecodeSender &sender,
                std::optional<std::int64_t> frameTotal, bool (*stopRequested)())
{
    using Clock = TimecodeSource::Clock;
    const QString route = sender.route();
    LiveLine liveLine;
    std::int64_t sent = 0;
    bool failing = false;

    while (!frameTotal || sent < *frameTotal) {
        SourceFrame frame;
        const TimecodeSource::Status status =
            source.next(Clock::now() + std::chrono::milliseconds(100), &frame);
        if (stopRequested())
            break;
        switch (status) {
        case TimecodeSource::Status::Frame:
            ++sent;
            if (sender.send(frame)) {
                if (failing) {
                    liveLine.finish();
                    std::fprintf(stderr, "quorvane-send: sending to %s again\n", qPrintable(route));
                    failing = false;
                }
                liveLine.show(frame, route);
            } else if (!failing) {
                liveLine.finish();
                std::fprintf(stderr, "quorvane-send: %s; still trying\n",
                             qPrintable(sender.errorString()));
                failing = true;
            }
            break;
        case TimecodeSource::Status::Waiting:
            if (const QString text = source.waitingText(); !text.isEmpty())
                liveLine.show(text);
            break;
        case TimecodeSource::Status::Finished:
            return 0;
        case TimecodeSource::Status::Failed:
            liveLine.finish();
            std::fprintf(stderr, "quorvane-send: %s\n", qPrintable(source.errorString()));
            return 1;
        }
    }
    return 0;
}
