// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// What one frame costs to paint into an image like the window's backing
// store, for a stream whose frame count advances by one per frame.

#include "benchmarks.h"
#include "timecodepainter.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// 11:22:33,00 at 25 fps and onwards, as a running show would send them.
constexpr qint32 FirstCount = ((11 * 3600 + 22 * 60 + 33) * 25);

DisplayFrame frameAt(qint64 index)
{
    return DisplayFrame{qint32(FirstCount + index % 100000), 25, false, false};
}

void paintStream(benchmark::State &state, QSize size, TimecodePainter::Mode mode)
{
    QImage image(size, QImage::Format_RGB32);
    TimecodePainter painter(mode);
    qint64 index = 0;
    // Twelve seconds of stream before the clock starts: the figures are for a
    // running show, not for the first frames after a resize.
    for (; index < 300; ++index) {
        QPainter device(&image);
        painter.paint(device, size, frameAt(index));
    }
    for (auto _ : state) {
        QPainter device(&image);
        painter.paint(device, size, frameAt(index++));
    }
    benchmark::DoNotOptimize(image.constBits());
    if (mode == TimecodePainter::Mode::Cached)
        state.counters["cacheMiB"] = double(painter.cacheBytes()) / (1 << 20);
}

// Paints only what the window would repaint for each new frame: the area
// that changedArea names, as the window's update region clips it.
void paintChanges(benchmark::State &state, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    TimecodePainter painter;
    qint64 index = 0;
    for (; index < 300; ++index) {
        QPainter device(&image);
        painter.paint(device, size, frameAt(index));
    }
    for (auto _ : state) {
        const DisplayFrame frame = frameAt(index);
        const QRegion changed = painter.changedArea(size, 1, frameAt(index - 1), frame);
        QPainter device(&image);
        device.setClipRegion(changed);
        painter.paint(device, size, frame);
        ++index;
    }
    benchmark::DoNotOptimize(image.constBits());
}

// The floor: the least any painter must do to cover the window.
void fillOnly(benchmark::State &state, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter device(&image);
        device.fillRect(QRect(QPoint(), size), QColor(0, 0, 0));
    }
    benchmark::DoNotOptimize(image.constBits());
}

} // namespace

void registerPaintBenchmarks()
{
    for (const QSize size : {QSize(1280, 720), QSize(1920, 1080), QSize(3840, 2160)}) {
        const std::string prefix =
            "paint/" + std::to_string(size.width()) + "x" + std::to_string(size.height()) + "/";
        benchmark::RegisterBenchmark((prefix + "program").c_str(), paintStream, size,
                                     TimecodePainter::Mode::Cached)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "reference").c_str(), paintStream, size,
                                     TimecodePainter::Mode::Plain)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "fill").c_str(), fillOnly, size)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "program-changes").c_str(), paintChanges, size)
            ->Unit(benchmark::kMicrosecond);
    }
}

qint64 cacheBytesForEveryCharacter(const QSize &size)
{
    // Every character that each place can show: digits 0-9 at the units and
    // at the hours' and frames' tens, 0-5 at the tens of minutes and
    // seconds, the hours' leading space, and the dashes; in both colours.
    QImage image(size, QImage::Format_RGB32);
    TimecodePainter painter;
    const auto paint = [&](const DisplayFrame &frame) {
        QPainter device(&image);
        painter.paint(device, size, frame);
    };
    for (int i = 0; i < 100; ++i) {
        const qint32 count = (((i * 3600) + ((i % 60) * 60) + ((i * 7) % 60)) * 100) + i;
        paint(DisplayFrame{count, 100, i % 2 == 1, false});
    }
    paint(DisplayFrame{-1, 100, false, false});
    return painter.cacheBytes();
}
