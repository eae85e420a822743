// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// What one frame costs to paint into an image like the window's backing
// store, for a stream whose frame count advances by one per frame.

#include "benchmarks.h"
#include "referencepainter.h"
#include "timecodepainter.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <type_traits>

namespace {

// 11:22:33,00 at 25 fps and onwards, as a running show would send them.
constexpr qint32 FirstCount = ((11 * 3600 + 22 * 60 + 33) * 25);

DisplayFrame frameAt(qint64 index)
{
    return DisplayFrame{qint32(FirstCount + index % 100000), 25, false, false};
}

template <class Painter> void paintStream(benchmark::State &state, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    Painter painter;
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
    if constexpr (std::is_same_v<Painter, TimecodePainter>)
        state.counters["cacheMiB"] = double(painter.cacheBytes()) / (1 << 20);
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
        benchmark::RegisterBenchmark((prefix + "program").c_str(), paintStream<TimecodePainter>,
                                     size)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "reference").c_str(), paintStream<ReferencePainter>,
                                     size)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "fill").c_str(), fillOnly, size)
            ->Unit(benchmark::kMicrosecond);
    }
}
