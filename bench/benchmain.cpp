// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// quorvane-bench [--latency-samples=N] [--latency-size=WxH] [--cache-size=WxH]
//                [benchmark flags]
//
// Runs the paint and ingestion benchmarks, then the latency measurement, and
// prints the ratios between the contenders of each case, all from this one
// run. It runs on the offscreen platform unless told otherwise.

#include "benchmarks.h"
#include "probewindow.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

// Keeps each result's time per iteration, by name, besides printing it.
class CollectingReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> timesUs;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            // The machine may be shared: the processor time of this thread is
            // what the painters and the receivers cost, the wall clock is not.
            // Manually timed benchmarks measure that themselves.
            std::string name = run.benchmark_name();
            const std::string manual = "/manual_time";
            const bool manuallyTimed =
                name.size() > manual.size() &&
                name.compare(name.size() - manual.size(), manual.size(), manual) == 0;
            if (manuallyTimed)
                name.erase(name.size() - manual.size());
            const double time =
                manuallyTimed ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            timesUs[name] = time * benchmark::GetTimeUnitMultiplier(benchmark::kMicrosecond) /
                            benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
};

// "group/case/contender" -> the time, or 0 when it did not run.
double timeOf(const CollectingReporter &reporter, const std::string &name)
{
    const auto found = reporter.timesUs.find(name);
    return found == reporter.timesUs.end() ? 0.0 : found->second;
}

double ratio(double a, double b)
{
    return b > 0 ? a / b : 0.0;
}

void printSummary(const CollectingReporter &reporter)
{
    std::printf("\nPaint, processor microseconds per frame (full window)\n");
    std::printf("%-15s %10s %10s %10s %12s %12s\n", "screen", "program", "reference", "fill",
                "prog/ref", "prog/fill");
    for (const std::string &screen : paintCases()) {
        const std::string prefix = "paint/" + screen + "/";
        const double program = timeOf(reporter, prefix + "program");
        const double reference = timeOf(reporter, prefix + "reference");
        const double fill = timeOf(reporter, prefix + "fill");
        std::printf("%-15s %10.1f %10.1f %10.1f %12.3f %12.2f\n", screen.c_str(), program,
                    reference, fill, ratio(program, reference), ratio(program, fill));
    }
    std::printf("\nPaint, processor microseconds per frame, repainting only the changed area\n");
    std::printf("%-15s %10s %12s %12s\n", "screen", "program", "prog/ref", "prog/fill");
    for (const std::string &screen : paintCases()) {
        const std::string prefix = "paint/" + screen + "/";
        const double changes = timeOf(reporter, prefix + "program-changes");
        std::printf("%-15s %10.1f %12.3f %12.2f\n", screen.c_str(), changes,
                    ratio(changes, timeOf(reporter, prefix + "reference")),
                    ratio(changes, timeOf(reporter, prefix + "fill")));
    }
    std::printf("\nIngestion, processor microseconds per backlog\n");
    std::printf("%-10s %10s %10s %12s\n", "backlog", "program", "raw", "prog/raw");
    for (const char *n : {"1", "10", "1000"}) {
        const std::string prefix = std::string("ingest/") + n + "/";
        const double program = timeOf(reporter, prefix + "program");
        const double raw = timeOf(reporter, prefix + "raw");
        std::printf("%-10s %10.1f %10.1f %12.3f\n", n, program, raw, ratio(program, raw));
    }
}

// Takes "--name=value" out of the arguments; empty when absent.
std::string takeOption(int &argc, char **argv, const char *name)
{
    const std::string prefix = std::string("--") + name + "=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) {
            std::string value = argv[i] + prefix.size();
            for (int j = i; j < argc - 1; ++j)
                argv[j] = argv[j + 1];
            --argc;
            return value;
        }
    }
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string samplesOption = takeOption(argc, argv, "latency-samples");
    const std::string sizeOption = takeOption(argc, argv, "latency-size");
    const std::string cacheSizeOption = takeOption(argc, argv, "cache-size");
    const int samples = samplesOption.empty() ? 1000 : std::stoi(samplesOption);
    int latencyWidth = 3840;
    int latencyHeight = 2160;
    if (!sizeOption.empty())
        std::sscanf(sizeOption.c_str(), "%dx%d", &latencyWidth, &latencyHeight);
    QSize cacheSize(3840, 2160);
    if (!cacheSizeOption.empty())
        std::sscanf(cacheSizeOption.c_str(), "%dx%d", &cacheSize.rwidth(), &cacheSize.rheight());

    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    ProbeWindow window;
    registerPaintBenchmarks();
    registerIngestBenchmarks(window);

    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter);

    std::printf("\nPainter cache with every character shown at every place, full-screen %dx%d\n",
                cacheSize.width(), cacheSize.height());
    for (const qreal scale : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0})
        std::printf("scale %.2f: %.1f MiB\n", scale,
                    double(cacheBytesForEveryCharacter(cacheSize, scale)) / (1 << 20));

    window.resize(latencyWidth, latencyHeight);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QTest::qWait(200);
    const LatencyFigures latency = measureLatency(window, samples);
    std::printf("\nLatency, datagram written to end of its paint, %dx%d, %d samples\n",
                latencyWidth, latencyHeight, latency.samples);
    std::printf("median %.1f us, p99 %.1f us, lost %d\n", latency.medianUs, latency.p99Us,
                latency.lost);
    benchmark::Shutdown();
    return latency.lost == 0 && latency.samples > 0 ? 0 : 1;
}
