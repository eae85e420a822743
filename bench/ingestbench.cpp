// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// What it costs the window to take in a backlog of datagrams, against the
// least any program could spend: a bare recvfrom loop on a plain socket. The
// window judges every datagram it reads; the backlog is all valid, so each
// decode runs every rule, the dearest case.

#include "benchmarks.h"
#include "loopback.h"
#include "mainwindow.h"

#include <QMetaObject>

#include <benchmark/benchmark.h>

#include <sys/socket.h>
#include <time.h>

namespace {

// This thread's processor time, system calls included, in seconds: on a
// shared machine the wall clock would count the other processes too.
double threadSeconds()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

qint32 nextCount = 0;

// Empties a socket's queue behind Qt's back.
void discardQueue(int fd)
{
    TimecodeBuffer buffer;
    while (::recv(fd, buffer.data(), buffer.size(), MSG_DONTWAIT) >= 0) {
    }
}

// Queues a backlog of n datagrams with rising counts at the socket bound to
// the port and waits until all of them are in its queue; returns the newest
// count, or -1 if they did not all arrive. Another program bound to the same
// port with address reuse may take some of them; that round is then retried.
qint32 queueBacklog(const LoopbackSocket &sender, int fd, std::uint16_t port, int n)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        // What one datagram takes of the queue, as the kernel counts it.
        sender.send(encodeTimecodeDatagram(Timecode{25, 0}), port);
        const bool probed = awaitQueuedBytes(fd, 1);
        const std::uint32_t perDatagram = queuedBytes(fd);
        discardQueue(fd);
        if (!probed)
            continue;
        for (int i = 0; i < n; ++i) {
            nextCount = (nextCount + 1) % 1000000;
            sender.send(encodeTimecodeDatagram(Timecode{25, nextCount}), port);
        }
        if (awaitQueuedBytes(fd, perDatagram * std::uint32_t(n)))
            return nextCount;
        discardQueue(fd);
    }
    return -1;
}

void drainWindow(benchmark::State &state, MainWindow *window, int n)
{
    const int fd = findBoundUdpSocket(MainWindow::TimecodePort);
    if (fd < 0) {
        state.SkipWithError("the window's socket is not bound");
        return;
    }
    enlargeReceiveBuffer(fd);
    LoopbackSocket sender;
    for (auto _ : state) {
        const qint32 newest = queueBacklog(sender, fd, MainWindow::TimecodePort, n);
        if (newest < 0) {
            state.SkipWithError("the backlog did not arrive");
            return;
        }
        const double start = threadSeconds();
        QMetaObject::invokeMethod(window, "processPendingDatagrams", Qt::DirectConnection);
        state.SetIterationTime(threadSeconds() - start);
        if (window->timecodeState().frameCount != newest || hasPending(fd)) {
            state.SkipWithError("the backlog was not taken in whole");
            return;
        }
    }
}

void drainRaw(benchmark::State &state, int n)
{
    LoopbackSocket receiver;
    enlargeReceiveBuffer(receiver.descriptor());
    LoopbackSocket sender;
    for (auto _ : state) {
        if (queueBacklog(sender, receiver.descriptor(), receiver.port(), n) < 0) {
            state.SkipWithError("the backlog did not arrive");
            return;
        }
        const double start = threadSeconds();
        const int read = receiver.drain();
        state.SetIterationTime(threadSeconds() - start);
        if (read != n) {
            state.SkipWithError("datagrams were lost on the way");
            return;
        }
    }
}

} // namespace

void registerIngestBenchmarks(MainWindow &window)
{
    for (const int n : {1, 10, 1000}) {
        const std::string prefix = "ingest/" + std::to_string(n) + "/";
        benchmark::RegisterBenchmark((prefix + "program").c_str(), drainWindow, &window, n)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "raw").c_str(), drainRaw, n)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
}
