#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Builds the Debian packages quorvane and quorvane-send from the "release"
# preset (build/) with CPack, and checks them with lintian when it is there.
# The packages land in build/packages/; the last line of output names them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

quorvane_install "${QUORVANE_BUILD_PACKAGES[@]}" "${QUORVANE_PACKAGE_PACKAGES[@]}"
cmake --preset release >/dev/null
cmake --build --preset release --target all
rm -f build/packages/*.deb
(cd build && cpack -B packages)
if command -v lintian >/dev/null; then
    # Running as root is fine for a look at finished packages.
    lintian --fail-on error build/packages/*.deb 2> >(grep -v 'root privileges' >&2)
fi
echo "Packages:" build/packages/*.deb
