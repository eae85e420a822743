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
#   2. the whole program full-screen in a private Xvfb, at 3840x2160 and at
#      1920x1080, at several display scales (QT_SCALE_FACTOR), fed a 100 Hz
#      stream in which every datagram changes the digits, against the same
#      program built with the plain drawing (quorvane-reference); the
#      processor time (user + system) of each display process and of the X
#      server over the same stretch are compared.
#
#   scripts/bench.sh [--seconds N] [quorvane-bench flags...]
#
# The display programs listen on UDP port 8201: run it where no other
# program does, e.g. in a private network namespace as root:
#   unshare -n bash -c 'ip link set lo up && scripts/bench.sh'
#
# Nothing here judges a time; it prints figures for docs/performance.md.
set -euo pipefail
cd "$(dirname "$0")/.."

# Processor ticks (user + system) that a process has used.
ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# Inside the X session: measures one display program at one scale. Prints
# the processor seconds of the program and of the X server over the
# measured stretch.
measure_display() {
    local program=$1 stream=$2 seconds=$3 screen=$4 scale=$5 server=$6
    QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
    local pid=$!
    local window=
    for _ in $(seq 200); do
        window=$(xdotool search --pid "$pid" --onlyvisible 2>/dev/null | head -n 1) && [[ -n $window ]] && break
        sleep 0.1
    done
    [[ -n $window ]] || { echo "bench: $program showed no window" >&2; kill "$pid"; return 1; }
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --window "$window" F11
    for _ in $(seq 100); do
        xdotool getwindowgeometry "$window" | grep -q "Geometry: $screen" && break
        sleep 0.1
    done
    xdotool getwindowgeometry "$window" | grep -q "Geometry: $screen" \
        || echo "bench: warning: $program is not full-screen" >&2

    # A second of stream first, so that any warming up is over; then the
    # measured stretch.
    "$stream" 100 $((seconds + 2)) &
    local sender=$!
    sleep 1
    local before after serverBefore serverAfter
    before=$(ticks "$pid")
    serverBefore=$(ticks "$server")
    sleep "$seconds"
    after=$(ticks "$pid")
    serverAfter=$(ticks "$server")
    wait "$sender"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v p=$((after - before)) -v s=$((serverAfter - serverBefore)) -v hz="$(getconf CLK_TCK)" \
        'BEGIN { printf "%.2f %.2f\n", p / hz, s / hz }'
}

if [[ ${1:-} == --inside-x ]]; then
    dir=$2 seconds=$3 screen=$4
    shift 4
    # This script runs as the X session's command: the server is its
    # sibling.
    server=$(pgrep -P "$PPID" -x Xvfb)
    for scale in "$@"; do
        read -r program programServer < <(measure_display "$dir/app/quorvane" \
            "$dir/bench/quorvane-bench-stream" "$seconds" "$screen" "$scale" "$server")
        read -r reference referenceServer < <(measure_display "$dir/bench/quorvane-reference" \
            "$dir/bench/quorvane-bench-stream" "$seconds" "$screen" "$scale" "$server")
        echo "$screen $scale $program $programServer $reference $referenceServer"
    done
    exit 0
fi

seconds=5
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
# Every screen and scale in one run, each program beside its reference.
results=$(mktemp)
trap 'rm -f "$results"' EXIT
tests/x11/xsession.sh --size 3840x2160 "$0" --inside-x "$dir" "$seconds" 3840x2160 1 1.25 1.5 2 \
    >>"$results"
tests/x11/xsession.sh --size 1920x1080 "$0" --inside-x "$dir" "$seconds" 1920x1080 1 1.5 \
    >>"$results"
echo
echo "Whole process, full-screen under Xvfb, 100 datagrams/s, ${seconds} s, processor seconds"
awk '
    BEGIN {
        printf "%-10s %6s %9s %9s %9s %9s %10s %14s %12s\n", "screen", "scale", "program",
               "server", "reference", "server", "prog/ref", "(p+s)/(r+s)", "prog/prog@1"
    }
    {
        if ($2 == 1)
            atOne[$1] = $3
        printf "%-10s %6s %9.2f %9.2f %9.2f %9.2f %10.3f %14.3f %12.2f\n", $1, $2, $3, $4, $5,
               $6, ($5 > 0 ? $3 / $5 : 0), ($5 + $6 > 0 ? ($3 + $4) / ($5 + $6) : 0),
               (atOne[$1] > 0 ? $3 / atOne[$1] : 0)
    }' "$results"
