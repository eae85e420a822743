#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Installs the build into an empty prefix and checks that the program and its
# desktop integration land where desktops look for them, under the names the
# launcher entry and the AppStream description refer to.
# Usage: install_test.sh CMAKE BUILD-FOLDER
set -uo pipefail
cmake=$1
build=$2
id=org.quorvane.Quorvane

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
if ! "$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    rm -f "$prefix.log"
    echo "FAIL: cmake --install failed"
    exit 1
fi
rm -f "$prefix.log"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

[[ -x $prefix/bin/quorvane ]] || fail "bin/quorvane is missing or not executable"
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[[ -f $desktop ]] || fail "share/applications/$id.desktop is missing"
[[ -f $metainfo ]] || fail "share/metainfo/$id.metainfo.xml is missing"

# Every size is a PNG file of that size: bytes 16 to 23 are the width and
# height in the header chunk.
for size in 16 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    if [[ ! -f $icon ]]; then
        fail "icon ${size}x${size} is missing"
        continue
    fi
    signature=$(od -An -tx1 -N8 "$icon" | tr -d ' \n')
    dimensions=$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //;s/ $//')
    expected="0 0 $((size >> 8)) $((size & 255)) 0 0 $((size >> 8)) $((size & 255))"
    [[ $signature == 89504e470d0a1a0a ]] || fail "icon ${size}x${size} is not a PNG file"
    [[ $dimensions == "$expected" ]] || fail "icon ${size}x${size} has header bytes '$dimensions'"
done

# The names that tie the files together.
if [[ -f $desktop ]]; then
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [[ -x $prefix/bin/$exec_name ]] || fail "Exec=$exec_name is not an installed program"
    [[ $icon_name == "$id" ]] || fail "Icon=$icon_name is not the installed icon name $id"
fi
if [[ -f $metainfo ]]; then
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
        || fail "the metainfo does not launch $id.desktop"
    grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo id is not $id"
fi

if ((failures > 0)); then
    echo "--- installed files ---"
    (cd "$prefix" && find . -type f | sort)
    exit 1
fi
echo "all files installed"
