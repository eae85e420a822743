#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Builds a fuzz target with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (the "fuzz" preset), and runs it: the display's
# datagram decoder (the default) or the sender's ArtTimeCode parser.
#
#   fuzz.sh [--target datagram|artnet] [--runs N | --seconds S] [--build-dir DIR]
#
# Default: 1000000 runs in build-fuzz/. The seeds of the target's corpus
# (fuzz/corpus, fuzz/corpus-artnet) are copied into a scratch corpus under the
# build folder, which grows from run to run; the committed seeds are never
# written. Exits non-zero on a crash, a sanitizer report or a disagreement
# with the reference rules; the input that caused it is kept as DIR/crash-*.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

runs=1000000
seconds=
build_dir=$root/build-fuzz
fuzz_target=datagram
while [[ $# -gt 0 ]]; do
    case $1 in
    --runs) runs=$2; seconds=; shift 2 ;;
    --seconds) seconds=$2; runs=; shift 2 ;;
    --build-dir) build_dir=$2; shift 2 ;;
    --target) fuzz_target=$2; shift 2 ;;
    *) echo "usage: $0 [--target datagram|artnet] [--runs N | --seconds S] [--build-dir DIR]" >&2; exit 2 ;;
    esac
done

case $fuzz_target in
datagram) name=timecodedatagram_fuzzer seeds=$root/fuzz/corpus ;;
artnet) name=artnettimecode_fuzzer seeds=$root/fuzz/corpus-artnet ;;
*) echo "fuzz: unknown target $fuzz_target" >&2; exit 2 ;;
esac

command -v clang++ >/dev/null || { echo "fuzz: clang++ is not installed" >&2; exit 1; }

# The "fuzz" preset of CMakePresets.json, in its own folder unless told otherwise.
(cd "$root" && cmake --preset fuzz -B "$build_dir" >/dev/null \
    && cmake --build "$build_dir" --target "$name") || exit 1
target=$build_dir/fuzz/$name

corpus=$build_dir/$(basename "$seeds")
mkdir -p "$corpus"
cp "$seeds"/* "$corpus"/

limit=(-runs="$runs")
[[ -n $seconds ]] && limit=(-max_total_time="$seconds")
# Room for datagrams longer than 28 bytes and for the 9-byte length prefix;
# value profiling lets the fuzzer home in on the count limits from scratch.
# A finding exits with 1: libFuzzer's own 77 would read as "skipped" to
# test runners.
cd "$build_dir"
exec "$target" "${limit[@]}" -max_len=64 -use_value_profile=1 -print_final_stats=1 \
    -error_exitcode=1 -artifact_prefix="$build_dir/" "$corpus"
