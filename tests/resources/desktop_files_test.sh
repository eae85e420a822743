#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# The launcher entry and the AppStream description, checked by the
# freedesktop.org validators (offline). Exits 77 (skipped) if a validator is
# missing.
# Usage: desktop_files_test.sh LINUX-RES-FOLDER CONFIGURED-FOLDER (the
# metainfo file is configured by CMake, the desktop file is not)
set -uo pipefail
dir=$1
configured=$2
id=org.quorvane.Quorvane

for tool in desktop-file-validate:desktop-file-utils appstreamcli:appstream; do
    if ! command -v "${tool%%:*}" >/dev/null; then
        echo "SKIPPED: ${tool%%:*} not found; install ${tool#*:} to run this test"
        exit 77
    fi
done

failures=0
echo "desktop-file-validate $id.desktop"
# It reports problems on stdout and may still exit 0 for some of them.
report=$(desktop-file-validate "$dir/$id.desktop" 2>&1)
status=$?
[[ -n $report ]] && echo "$report"
if ((status != 0)) || grep -q 'error:' <<<"$report"; then
    echo "FAIL: the desktop file is not valid"
    failures=$((failures + 1))
fi

echo "appstreamcli validate --no-net $id.metainfo.xml"
if ! appstreamcli validate --no-net "$configured/$id.metainfo.xml"; then
    echo "FAIL: the metainfo file is not valid"
    failures=$((failures + 1))
fi
exit $((failures > 0))
