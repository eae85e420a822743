// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sourcefactory.h"

#include "clocksource.h"
#include "generatorsource.h"
#include "jackinput.h"
#include "ltcsource.h"
#include "soundfileinput.h"

namespace {

std::unique_ptr<AudioInput> openAudioInput(const SendOptions &options, SourceError *error)
{
    const QString jack = QStringLiteral("jack");
    if (options.input == jack || options.input.startsWith(jack + QLatin1Char(':')))
        return JackInput::open(options.input.mid(jack.size() + 1), options.channel, error);
    return SoundFileInput::open(options.input, options.channel.value_or(1), true, error);
}

} // namespace

std::unique_ptr<TimecodeSource> createSource(const SendOptions &options, SourceError *error)
{
    if (options.source == QLatin1String("clock"))
        return std::make_unique<ClockSource>(options.frameRate, options.utc);
    if (options.source == QLatin1String("ltc")) {
        std::unique_ptr<AudioInput> input = openAudioInput(options, error);
        if (!input)
            return nullptr;
        return std::make_unique<LtcSource>(std::move(input));
    }
    if (options.source == QLatin1String("generator"))
        return std::make_unique<GeneratorSource>(options.frameRate, options.startCount);
    // parseSendCommand() lets no other name through.
    *error = SourceError{QStringLiteral("unknown source %1").arg(options.source), 2};
    return nullptr;
}
