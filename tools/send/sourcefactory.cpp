// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sourcefactory.h"

#include "clocksource.h"
#include "generatorsource.h"

std::unique_ptr<TimecodeSource> createSource(const SendOptions &options, SourceError *error)
{
    if (options.source == QLatin1String("clock"))
        return std::make_unique<ClockSource>(options.frameRate, options.utc);
    if (options.source == QLatin1String("generator"))
        return std::make_unique<GeneratorSource>(options.frameRate, options.startCount);
    // parseSendCommand() lets no other name through.
    *error = SourceError{QStringLiteral("unknown source %1").arg(options.source), 2};
    return nullptr;
}
