// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// quorvane-bench-ltc [--seconds=N]
//
// The LTC source's costs, as figures from this one run:
//   1. decoding: processor time per second of 48 kHz audio, as a share of
//      one core;
//   2. latency: from the last sample of an LTC frame to its datagram on the
//      wire (sendto on loopback has returned), median and p99, for audio
//      that arrives in blocks of 64, 256 and 1024 samples the way a sound
//      card delivers them;
//   3. the clock source: how late after its boundary on the system clock
//      each frame is sent, median and p99, at 25 fps.

#include "clockframes.h"
#include "clocksource.h"
#include "ltcdecoder.h"
#include "ltcsignal.h"
#include "ltcsource.h"
#include "timecodesender.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <thread>

namespace {

constexpr int SampleRate = 48000;
constexpr int Fps = 25;
constexpr int SamplesPerFrame = SampleRate / Fps;

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Audio from memory in blocks, each handed out when its last sample would
// have arrived from a sound card.
class PacedInput : public AudioInput
{
public:
    PacedInput(const std::vector<float> &samples, int blockSize)
        : m_samples(samples), m_blockSize(blockSize)
    {}

    double sampleRate() const override { return SampleRate; }
    QString name() const override { return QStringLiteral("memory"); }

    Status read(Clock::time_point, std::vector<float> *block) override
    {
        if (m_position >= m_samples.size())
            return Status::Finished;
        if (m_position == 0)
            start = Clock::now();
        const std::size_t end = std::min(m_samples.size(), m_position + std::size_t(m_blockSize));
        std::this_thread::sleep_until(sampleTime(std::int64_t(end)));
        block->assign(m_samples.begin() + std::ptrdiff_t(m_position),
                      m_samples.begin() + std::ptrdiff_t(end));
        m_position = end;
        return Status::Block;
    }

    // When the sample at 'index' has arrived.
    Clock::time_point sampleTime(std::int64_t index) const
    {
        return start + std::chrono::nanoseconds(index * 1'000'000'000 / SampleRate);
    }

    Clock::time_point start;

private:
    const std::vector<float> &m_samples;
    int m_blockSize;
    std::size_t m_position = 0;
};

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int seconds = 10;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--seconds=", 10) == 0)
            seconds = std::max(1, std::atoi(argv[i] + 10));
    }
    // From 01:00:00:00, so that frame i carries count 90000 + i and ends at
    // sample (i + 1) * 1920 - 1.
    const std::vector<float> signal =
        libltcSignal(SampleRate, Fps, TimecodeFields{1, 0, 0, 0}, seconds * Fps);

    // 1. Decoding, in blocks of 256; the best of three passes, as the
    // machine may be shared.
    double best = 1e9;
    for (int pass = 0; pass < 3; ++pass) {
        LtcDecoder decoder(SampleRate);
        std::vector<LtcFrame> frames;
        const double before = threadSeconds();
        for (std::size_t at = 0; at < signal.size(); at += 256)
            decoder.write(signal.data() + at, std::min<std::size_t>(256, signal.size() - at),
                          &frames);
        best = std::min(best, threadSeconds() - before);
        if (int(frames.size()) < seconds * Fps - 1)
            std::fprintf(stderr, "decoded only %zu frames\n", frames.size());
    }
    std::printf("decode: %.4f s of processor time for %d s of 48 kHz audio = %.3f%% of one core\n",
                best, seconds, 100.0 * best / seconds);

    // 2. Latency, to a socket on loopback.
    QUdpSocket receiver;
    receiver.setProxy(QNetworkProxy::NoProxy);
    receiver.bind(QHostAddress::LocalHost, 0);
    for (const int blockSize : {64, 256, 1024}) {
        auto input = std::make_unique<PacedInput>(signal, blockSize);
        PacedInput *paced = input.get();
        LtcSource source(std::move(input));
        TimecodeSender sender(QHostAddress::LocalHost, receiver.localPort());
        sender.open(std::nullopt, false);
        std::vector<double> latenciesMs;
        SourceFrame frame;
        while (source.next(TimecodeSource::Clock::time_point::max(), &frame) ==
               TimecodeSource::Status::Frame) {
            sender.send(frame);
            const auto sent = TimecodeSource::Clock::now();
            const std::int64_t lastSample =
                std::int64_t(frame.frameCount - 90000 + 1) * SamplesPerFrame - 1;
            latenciesMs.push_back(
                std::chrono::duration<double, std::milli>(sent - paced->sampleTime(lastSample + 1))
                    .count());
            while (receiver.hasPendingDatagrams())
                receiver.receiveDatagram();
        }
        std::printf(
            "latency, blocks of %4d samples (%.2f ms): median %.2f ms, p99 %.2f ms over %zu "
            "frames\n",
            blockSize, blockSize * 1000.0 / SampleRate, percentile(latenciesMs, 0.5),
            percentile(latenciesMs, 0.99), latenciesMs.size());
    }

    // 3. The clock: each frame's lateness against the wall clock, read
    // right after the send.
    ClockSource clock(25, false);
    TimecodeSender sender(QHostAddress::LocalHost, receiver.localPort());
    sender.open(std::nullopt, false);
    std::vector<double> latenessMs;
    for (int i = 0; i < seconds * 25; ++i) {
        SourceFrame frame;
        clock.next(TimecodeSource::Clock::time_point::max(), &frame);
        sender.send(frame);
        const ClockFrame now = clockFrame(timeOfDay(std::chrono::system_clock::now(), false), 25);
        if (i > 0) // the first frame goes out at once, mid-frame
            latenessMs.push_back(40.0 -
                                 std::chrono::duration<double, std::milli>(now.untilNext).count());
        while (receiver.hasPendingDatagrams())
            receiver.receiveDatagram();
    }
    std::printf("clock at 25 fps: sent after the frame's boundary by median %.3f ms, p99 %.3f ms "
                "over %zu frames\n",
                percentile(latenessMs, 0.5), percentile(latenessMs, 0.99), latenessMs.size());
    return 0;
}
