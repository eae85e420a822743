// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sendloop.h"

#include "frameschedule.h"
#include "timecodedatagram.h"
#include "timecodesender.h"
#include "timecodetext.h"

#include <cstdio>
#include <thread>

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

    void show(std::int32_t frameCount, std::int32_t frameRate, const QString &route)
    {
        if (!m_enabled)
            return;
        // Same width every time, so each carriage return overwrites the last.
        const QString line = QStringLiteral("\r%1  %2 fps  to %3")
                                 .arg(timecodeText(frameCount, frameRate))
                                 .arg(effectiveFrameRate(frameRate), 3)
                                 .arg(route);
        std::fputs(line.toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
        m_shown = true;
    }

private:
    bool m_enabled;
    bool m_shown = false;
};

} // namespace

int runSendLoop(const SendOptions &options, TimecodeSender &sender, bool (*stopRequested)())
{
    using Clock = FrameSchedule::Clock;
    const std::int32_t limit = frameCountLimit(options.frameRate);
    const QString route = sender.route();
    FrameSchedule schedule(Clock::now(), effectiveFrameRate(options.frameRate));
    LiveLine liveLine;
    std::int32_t count = options.startCount;

    while (!options.frameTotal || schedule.frameIndex() < *options.frameTotal) {
        std::this_thread::sleep_until(schedule.next(Clock::now()));
        if (stopRequested())
            break;
        if (!sender.send(count)) {
            liveLine.finish();
            std::fprintf(stderr, "quorvane-send: %s\n", qPrintable(sender.errorString()));
            return 1;
        }
        liveLine.show(count, options.frameRate, route);
        // Past 99:59:59 a clock starts again at zero; -1 (no timecode) is
        // only ever sent once and never counts.
        if (count != NoTimecode && ++count == limit)
            count = 0;
    }
    return 0;
}
