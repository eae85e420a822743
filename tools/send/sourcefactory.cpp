// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sourcefactory.h"

#include "artnetsource.h"
#include "clocksource.h"
#include "generatorsource.h"
#include "mtcsource.h"

std::unique_ptr<TimecodeSource> createSource(const SendOptions &options, SourceError *error)
{
    if (options.source == QLatin1String("clock"))
        return std::make_unique<ClockSource>(options.frameRate, options.utc);
    if (options.source == QLatin1String("generator"))
        return std::make_unique<GeneratorSource>(options.frameRate, options.startCount);
    if (options.source == QLatin1String("artnet")) {
        auto source = std::make_unique<ArtNetSource>(options.listen.isEmpty()
                                                         ? QHostAddress(QHostAddress::AnyIPv4)
                                                         : QHostAddress(options.listen));
        if (source->open())
            return source;
        *error = SourceError{source->errorString(), 1};
        return nullptr;
    }
    if (options.source == QLatin1String("mtc")) {
        auto source = std::make_unique<MtcSource>();
        if (source->open(options.midiInput, error))
            return source;
        return nullptr;
    }
    // parseSendCommand() lets no other name through.
    *error = SourceError{QStringLiteral("unknown source %1").arg(options.source), 2};
    return nullptr;
}
