#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Runs a Windows test program under wine inside a private X session.
#
#   runwine.sh PREFIX [PROGRAM.exe]
#
# PREFIX is the wine prefix to use; it is created on the first run (which
# takes some seconds) and reused afterwards. Without PROGRAM (mingw-w64 was
# missing when the build was configured) or without wine, exits with 77 so
# that ctest reports the test as skipped.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

skip() {
    echo "SKIPPED: $*"
    exit 77
}

find_wine() {
    local candidate
    for candidate in wine64 wine /usr/lib/wine/wine64; do
        if command -v "$candidate" >/dev/null; then
            command -v "$candidate"
            return
        fi
    done
}

in_session() {
    local wine=$1 prefix=$2 program=$3
    local wineserver
    wineserver=$(dirname "$wine")/wineserver64
    [[ -x $wineserver ]] || wineserver=$(dirname "$wine")/wineserver
    [[ -x $wineserver ]] || wineserver=$(command -v wineserver || true)
    [[ -n $wineserver ]] || { echo "wine is installed without its wineserver" >&2; return 1; }

    export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
    # No Mono or Gecko: nothing here needs them, and wine would ask for them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # A server that ends with its last client, so that the session can close
    # at once and no wine process outlives the X server.
    mkdir -p "$prefix"
    "$wineserver" -p0
    if [[ ! -f $prefix/system.reg ]]; then
        echo "creating the wine prefix $prefix"
        "$wine" wineboot --init
    fi
    local status=0
    timeout 120 "$wine" "$program" || status=$?
    "$wineserver" -w
    return "$status"
}

if [[ ${1:-} == --in-session ]]; then
    shift
    in_session "$@"
    exit
fi

[[ $# -ge 1 ]] || { echo "usage: $0 PREFIX [PROGRAM.exe]" >&2; exit 2; }
prefix=$1
program=${2:-}
[[ -n $program ]] || skip "mingw-w64 or doctest was not found when the build was configured" \
    "(install g++-mingw-w64-x86-64, binutils-mingw-w64-x86-64 and doctest-dev, then reconfigure)"
[[ -f $program ]] || { echo "$program does not exist: build the project first" >&2; exit 1; }
wine=$(find_wine)
[[ -n $wine ]] || skip "wine is not installed (Debian package wine64)"

exec "$here/../x11/xsession.sh" "$0" --in-session "$wine" "$prefix" "$program"
