// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// What one frame costs to paint into an image like the window's backing
// store, for a stream whose frame count advances by one per frame.

#include "benchmarks.h"
#include "timecodepainter.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// 11:22:33,00 at 25 fps and onwards, as a running show would send them.
constexpr qint32 FirstCount = ((11 * 3600 + 22 * 60 + 33) * 25);

DisplayFrame frameAt(qint64 index)
{
    return DisplayFrame{qint32(FirstCount + index % 100000), 25, false, false};
}

// A screen of this many device pixels at a display scale: the window's
// backing store, and the window's logical size.
struct Screen
{
    QSize pixels;
    qreal scale = 1;

    QImage backingStore() const
    {
        QImage image(pixels, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        return image;
    }
    QSize windowSize() const { return (QSizeF(pixels) / scale).toSize(); }
};

void paintStream(benchmark::State &state, Screen screen, TimecodePainter::Mode mode)
{
    QImage image = screen.backingStore();
    const QSize size = screen.windowSize();
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
void paintChanges(benchmark::State &state, Screen screen)
{
    QImage image = screen.backingStore();
    const QSize size = screen.windowSize();
    TimecodePainter painter;
    qint64 index = 0;
    for (; index < 300; ++index) {
        QPainter device(&image);
        painter.paint(device, size, frameAt(index));
    }
    for (auto _ : state) {
        const DisplayFrame frame = frameAt(index);
        const QRegion changed = painter.changedArea(size, screen.scale, frameAt(index - 1), frame);
        QPainter device(&image);
        device.setClipRegion(changed);
        painter.paint(device, size, frame);
        ++index;
    }
    benchmark::DoNotOptimize(image.constBits());
}

// The floor: the least any painter must do to cover the window.
void fillOnly(benchmark::State &state, Screen screen)
{
    QImage image = screen.backingStore();
    const QSize size = screen.windowSize();
    for (auto _ : state) {
        QPainter device(&image);
        device.fillRect(QRect(QPoint(), size), QColor(0, 0, 0));
    }
    benchmark::DoNotOptimize(image.constBits());
}

} // namespace

const std::vector<std::string> &paintCases()
{
    static const std::vector<std::string> names{"1280x720",  "1920x1080",      "1920x1080@1.5",
                                                "3840x2160", "3840x2160@1.25", "3840x2160@1.5"};
    return names;
}

void registerPaintBenchmarks()
{
    for (const std::string &name : paintCases()) {
        Screen screen;
        double scale = 1;
        std::sscanf(name.c_str(), "%dx%d@%lf", &screen.pixels.rwidth(), &screen.pixels.rheight(),
                    &scale);
        screen.scale = scale;
        const std::string prefix = "paint/" + name + "/";
        benchmark::RegisterBenchmark((prefix + "program").c_str(), paintStream, screen,
                                     TimecodePainter::Mode::Cached)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "reference").c_str(), paintStream, screen,
                                     TimecodePainter::Mode::Plain)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "fill").c_str(), fillOnly, screen)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "program-changes").c_str(), paintChanges, screen)
            ->Unit(benchmark::kMicrosecond);
    }
}

qint64 cacheBytesForEveryCharacter(const QSize &pixels, qreal scale)
{
    // Every character that each place can show: digits 0-9 at the units and
    // at the hours' and frames' tens, 0-5 at the tens of minutes and
    // seconds, the hours' leading space, and the dashes; in both colours.
    const Screen screen{pixels, scale};
    QImage image = screen.backingStore();
    const QSize size = screen.windowSize();
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
