#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Builds the benchmarks with the "bench" preset (Release, in build-bench/, or
# in $QUORVANE_BENCH_DIR) and runs them:
#   1. quorvane-bench: paint cost, ingestion cost and latency, with ratios;
#      quorvane-bench-ltc: the LTC source's decoding cost and latency, and
#      the clock source's timing; quorvane-bench-artnet-mtc: Art-Net packet
#      and MTC message to datagram (in a network namespace of its own, as it
#      takes UDP 6454; skipped where none can be made);
#   2. the whole program full-screen at 3840x2160 in a private Xvfb, fed a
#      100 Hz stream in which every datagram changes the digits, against the
#      same program built with the plain painter (quorvane-reference); the
#      processor time (user + system) of each display process is compared.
#
#   scripts/bench.sh [--seconds N] [quorvane-bench flags...]
#
# Nothing here judges a time; it prints figures for docs/performance.md.
set -euo pipefail
cd "$(dirname "$0")/.."

# Inside the X session: measures one display program. Prints its processor
# seconds over the measured stretch.
measure_display() {
    local program=$1 stream=$2 seconds=$3
    QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
    local pid=$!
    local window=
    for _ in $(seq 100); do
        window=$(xdotool search --pid "$pid" --onlyvisible 2>/dev/null | head -n 1) && [[ -n $window ]] && break
        sleep 0.1
    done
    [[ -n $window ]] || { echo "bench: $program showed no window" >&2; kill "$pid"; return 1; }
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --window "$window" F11
    for _ in $(seq 100); do
        xdotool getwindowgeometry "$window" | grep -q 'Geometry: 3840x2160' && break
        sleep 0.1
    done
    xdotool getwindowgeometry "$window" | grep -q 'Geometry: 3840x2160' \
        || echo "bench: warning: $program is not full-screen" >&2

    # A second of stream first, so that any warming up is over; then the
    # measured stretch.
    "$stream" 100 $((seconds + 2)) &
    local sender=$!
    sleep 1
    local tick before after
    tick=$(getconf CLK_TCK)
    before=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    sleep "$seconds"
    after=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    wait "$sender"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v t=$((after - before)) -v hz="$tick" 'BEGIN { printf "%.2f\n", t / hz }'
}

if [[ ${1:-} == --inside-x ]]; then
    dir=$2 seconds=$3
    program=$(measure_display "$dir/app/quorvane" "$dir/bench/quorvane-bench-stream" "$seconds")
    reference=$(measure_display "$dir/bench/quorvane-reference" "$dir/bench/quorvane-bench-stream" \
        "$seconds")
    echo
    echo "Whole process, full-screen 3840x2160 under Xvfb, 100 datagrams/s, ${seconds} s"
    echo "processor seconds: program $program, reference $reference"
    awk -v p="$program" -v r="$reference" \
        'BEGIN { if (r > 0) printf "program/reference: %.3f\n", p / r; else print "program/reference: n/a" }'
    exit 0
fi

seconds=10
if [[ ${1:-} == --seconds ]]; then
    seconds=$2
    shift 2
fi

source scripts/deps.sh
quorvane_install "${QUORVANE_BUILD_PACKAGES[@]}" xvfb openbox xdotool x11-utils libbenchmark-dev \
    || exit 1

dir=${QUORVANE_BENCH_DIR:-build-bench}
cmake --preset bench -B "$dir" >/dev/null
cmake --build "$dir" -j2 --target quorvane quorvane-reference quorvane-bench quorvane-bench-stream \
    quorvane-bench-ltc quorvane-bench-artnet-mtc quorvane-send

echo "Machine: $(nproc) processors, $(lscpu | sed -n 's/^Model name: *//p' | head -n 1)," \
    "Qt $(pkg-config --modversion Qt6Core 2>/dev/null || echo unknown)"
"$dir/bench/quorvane-bench" "$@"
"$dir/bench/quorvane-bench-ltc" --seconds=20
tests/privatenet.sh "$PWD/$dir/bench/quorvane-bench-artnet-mtc" \
    --sender "$PWD/$dir/tools/send/quorvane-send" || [[ $? -eq 77 ]]
tests/x11/xsession.sh --size 3840x2160 "$0" --inside-x "$dir" "$seconds"
