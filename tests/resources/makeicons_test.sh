#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# update-icons writes the same bytes every time, so that redrawing the
# committed icons changes them only where the picture changed, and what it
# writes passes icons_test.sh.
# Usage: makeicons_test.sh UPDATE-ICONS MAKEICONS
set -uo pipefail
update_icons=$1
makeicons=$2
for tool in convert icotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$update_icons" "$makeicons" "$out/first" || { echo "FAIL: update-icons failed"; exit 1; }
"$update_icons" "$makeicons" "$out/second" || { echo "FAIL: update-icons failed the second time"; exit 1; }
count=$(find "$out/first" -type f | wc -l)
if [[ $count -ne 9 ]]; then
    echo "FAIL: expected 9 files, got $count:"
    (cd "$out/first" && find . -type f | sort)
    exit 1
fi
diff -r "$out/first" "$out/second" || { echo "FAIL: two runs differ"; exit 1; }
echo "$count files, identical in both runs"
bash "$(dirname "$0")/icons_test.sh" "$out/first"
