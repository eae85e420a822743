// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef BENCHMARKS_H
#define BENCHMARKS_H

#include <QSize>
#include <QString>

#include <vector>

class MainWindow;
class ProbeWindow;

// Names are "group/case/contender"; the summary puts the contenders of one
// case side by side.
void registerPaintBenchmarks();
// What the program's painter keeps once every character has been shown at
// every place, at a window size.
qint64 cacheBytesForEveryCharacter(const QSize &size);
void registerIngestBenchmarks(MainWindow &window);

struct LatencyFigures
{
    double medianUs = 0;
    double p99Us = 0;
    int samples = 0;
    int lost = 0;
};

// From a datagram written to the window's port to the end of the paint
// that shows it.
LatencyFigures measureLatency(ProbeWindow &window, int samples);

#endif // BENCHMARKS_H
