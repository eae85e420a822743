#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Installs what is missing, builds a Release build in build/ and starts Quorvane.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

quorvane_install "${QUORVANE_BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build --target quorvane quorvane-send

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "Quorvane is built (build/app/quorvane), but there is no display to open its window on." >&2
    echo "Run it from a desktop session, or set DISPLAY." >&2
    exit 1
fi
exec build/app/quorvane "$@"
