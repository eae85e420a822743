// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef BENCHMARKS_H
#define BENCHMARKS_H

#include <QSize>
#include <QString>

#include <string>
#include <vector>

class MainWindow;
class ProbeWindow;

// Names are "group/case/contender"; the summary puts the contenders of one
// case side by side.
void registerPaintBenchmarks();
// The paint cases: screens in device pixels, "@scale" where not 1.
const std::vector<std::string> &paintCases();
// What the program's painter keeps once every character has been shown at
// every place, full-screen on a screen of this many pixels at a scale.
qint64 cacheBytesForEveryCharacter(const QSize &pixels, qreal scale);
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
