// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "sendloop.h"
#include "sendoptions.h"
#include "sendtarget.h"
#include "sourcefactory.h"
#include "timecodesender.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void requestStop(int)
{
    stopSignal = 1;
}

bool stopRequested()
{
    return stopSignal != 0;
}

int failWithUsage(const QString &message)
{
    std::fprintf(stderr, "quorvane-send: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const SendCommand command = parseSendCommand(QCoreApplication::arguments());
    switch (command.action) {
    case SendCommand::Action::ShowHelp:
        std::fputs(qPrintable(sendHelpText()), stdout);
        return 0;
    case SendCommand::Action::ShowVersion:
        std::puts("quorvane-send " QUORVANE_VERSION);
        return 0;
    case SendCommand::Action::Fail:
        return failWithUsage(command.error);
    case SendCommand::Action::Send:
        break;
    }

    const SendOptions &options = command.options;
    QString error;
    const std::optional<QHostAddress> target =
        resolveTarget(options.host, options.broadcast, &error);
    if (!target)
        return failWithUsage(error);

    // The source first: its mistakes are the user's (exit status 2) and
    // must not be hidden behind a socket that happens to fail.
    SourceError sourceError;
    const std::unique_ptr<TimecodeSource> source = createSource(options, &sourceError);
    if (!source) {
        std::fprintf(stderr, "quorvane-send: %s\n", qPrintable(sourceError.message));
        return sourceError.exitStatus;
    }

    TimecodeSender sender(*target, options.port);
    if (!sender.open(options.sourcePort, options.broadcast)) {
        std::fprintf(stderr, "quorvane-send: %s\n", qPrintable(sender.errorString()));
        return 1;
    }

    // Ctrl+C or a polite kill ends the run between two frames, so the last
    // datagram goes out whole and the live line gets its newline.
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    return runSendLoop(*source, sender, options.frameTotal, stopRequested);
}
