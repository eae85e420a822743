#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# The icon generator writes the same bytes every time, so that redrawing the
# committed icons changes them only where the picture changed.
# Usage: makeicons_test.sh MAKEICONS
set -uo pipefail
makeicons=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$makeicons" "$out/first" || { echo "FAIL: makeicons failed"; exit 1; }
"$makeicons" "$out/second" || { echo "FAIL: makeicons failed the second time"; exit 1; }
count=$(find "$out/first" -type f | wc -l)
if [[ $count -ne 9 ]]; then
    echo "FAIL: expected 9 files, got $count:"
    (cd "$out/first" && find . -type f | sort)
    exit 1
fi
diff -r "$out/first" "$out/second" || { echo "FAIL: two runs differ"; exit 1; }
echo "$count files, identical in both runs"
