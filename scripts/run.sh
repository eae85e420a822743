#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Installs what is missing, builds the "release" preset in build/ and starts
# Quorvane. The tests build in folders of their own, so this one stays as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

quorvane_install "${QUORVANE_BUILD_PACKAGES[@]}"
cmake --preset release >/dev/null
cmake --build --preset release

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "Quorvane is built (build/app/quorvane), but there is no display to open its window on." >&2
    echo "Run it from a desktop session, or set DISPLAY." >&2
    exit 1
fi
exec build/app/quorvane "$@"
