#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Compiles the Windows resource script with the MinGW resource compiler, turns
# the result back into a script and checks the icon group and the version
# record that Windows will read from the program file.
# Usage: windres_test.sh RESOURCE-SCRIPT VERSION, the script as CMake
# configured it and the project's version. Exits 77 (skipped) without windres.
set -euo pipefail
script=$(realpath "$1")
version=$2
IFS=. read -r major minor patch <<<"$version"
windres=${WINDRES:-x86_64-w64-mingw32-windres}
if ! command -v "$windres" >/dev/null; then
    echo "SKIPPED: $windres not found; install binutils-mingw-w64-x86-64 to run this test"
    exit 77
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# From another folder, as a build does: the script names its icon by full path.
(cd "$tmp" && "$windres" -i "$script" -O res -o quorvane.res)
"$windres" -i "$tmp/quorvane.res" -O rc -o "$tmp/back.rc"

failures=0
expect() { # expect DESCRIPTION EXTENDED-REGEX
    if grep -Eq -- "$2" "$tmp/back.rc"; then
        echo "ok: $1"
    else
        echo "FAIL: $1 (no line matching '$2')"
        failures=$((failures + 1))
    fi
}
reject() { # reject DESCRIPTION EXTENDED-REGEX
    if grep -Eq -- "$2" "$tmp/back.rc"; then
        echo "FAIL: $1 ($(grep -E -- "$2" "$tmp/back.rc" | head -n 1))"
        failures=$((failures + 1))
    else
        echo "ok: $1"
    fi
}

expect "icon group named IDI_ICON1" '^"IDI_ICON1" 14 '
expect "ten images in the group" 'Has 10 elements'
# Bits per pixel of the group's elements, in order.
bits=$(sed -nE 's/.*", 1, ([0-9]+), 0x[0-9a-fA-F]+L?, ([0-9]+),?[[:space:]]*\/\* Element no.*/\1/p' \
    "$tmp/back.rc" | tr '\n' ' ')
if [[ $bits == "4 4 4 8 8 8 32 32 32 32 " ]]; then
    echo "ok: bits per pixel in order"
else
    echo "FAIL: bits per pixel of the group's images are '$bits'"
    failures=$((failures + 1))
fi
# Everything, icons and version record alike, in US English only.
languages=$(grep -E '^LANGUAGE ' "$tmp/back.rc" | sort -u | tr '\n' ';')
if [[ $languages == "LANGUAGE 9, 1;" ]]; then
    echo "ok: US English"
else
    echo "FAIL: languages are '$languages'"
    failures=$((failures + 1))
fi

expect "version record under identifier 1" '^1 VERSIONINFO'
expect "file version" "^ *FILEVERSION $major, $minor, $patch, 0\$"
expect "product version" "^ *PRODUCTVERSION $major, $minor, $patch, 0\$"
expect "file flags mask" '^ *FILEFLAGSMASK 0x3f$'
# windres leaves out the fields that are 0.
reject "no file flags" '^ *FILEFLAGS 0x0*[1-9a-f]'
reject "no subtype" '^ *FILESUBTYPE 0x0*[1-9a-f]'
expect "OS: VOS__WINDOWS32" '^ *FILEOS 0x4$'
expect "type: VFT_APP" '^ *FILETYPE 0x1$'
expect "string table for US English, Unicode" 'BLOCK "040904b0"'
expect "company" 'VALUE "CompanyName", "The Quorvane developers"$'
expect "description" 'VALUE "FileDescription", "Quorvane"$'
expect "file version text" "VALUE \"FileVersion\", \"${version//./\\.}\"\$"
expect "internal name" 'VALUE "InternalName", "Quorvane"$'
expect "copyright" 'VALUE "LegalCopyright", "Copyright \(C\) 2026 The Quorvane developers"$'
expect "original file name" 'VALUE "OriginalFilename", "Quorvane.exe"$'
expect "product name" 'VALUE "ProductName", "Quorvane"$'
expect "product version text" "VALUE \"ProductVersion\", \"${version//./\\.}\"\$"
expect "translation" 'VALUE "Translation", 0x409, 1200$'

if ((failures > 0)); then
    echo "--- decompiled resources ---"
    grep -vE '^ +0x' "$tmp/back.rc"
    exit 1
fi
