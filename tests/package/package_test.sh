#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Builds the packages, installs them with apt-get (without recommended
# packages, so that the declared dependencies alone must do) into a fresh
# Debian root, starts the installed quorvane on this X display and waits for
# its window and its green dashes, then purges them and checks that the root
# holds the same files as before.
# Usage: package_test.sh SOURCE-FOLDER VERSION APT-CACHE-FOLDER
# Exits 77 (skipped) when not root, without mmdebstrap, or without a network
# route to Debian's package servers (say, in a private network namespace);
# under CI (CI set) the last one fails instead.
set -euo pipefail

# Inside the private X session: start the installed program and quit it.
if [[ ${1:-} == --inside-x ]]; then
    root=$2
    mount -t proc proc "$root/proc"
    mkdir -p -m 700 "$root/tmp/runtime"
    QUORVANE=$(mktemp)
    printf '#!/bin/sh\nexec chroot %q env -i DISPLAY=%q QT_QPA_PLATFORM=xcb HOME=/tmp XDG_RUNTIME_DIR=/tmp/runtime /usr/bin/quorvane\n' \
        "$root" "$DISPLAY" >"$QUORVANE"
    chmod +x "$QUORVANE"
    X11_ARTIFACTS=${X11_ARTIFACTS:+$X11_ARTIFACTS/window}
    source "$(dirname "$0")/../x11/lib.sh"
    trap 'x11_cleanup; rm -f "$QUORVANE"' EXIT
    start_quorvane
    activate "$QUORVANE_WINDOW"
    press ctrl+q
    wait_quorvane_exit
    ((QUORVANE_STATUS == 0)) || x11_fail "quorvane exited with $QUORVANE_STATUS"
    exit 0
fi

source=$1
version=$2
cache=$3

if [[ $(id -u) -ne 0 ]] || ! command -v mmdebstrap >/dev/null; then
    echo "SKIPPED: needs root and mmdebstrap"
    exit 77
fi
if ! awk '$2 == "00000000" { found = 1 } END { exit !found }' /proc/net/route; then
    echo "no default route: Debian's package servers are out of reach"
    [[ -n ${CI:-} ]] && exit 1
    echo "SKIPPED"
    exit 77
fi

work=$(mktemp -d)
root=$work/root
QUORVANE=/usr/bin/quorvane # inside the root; lib.sh wants it set
source "$source/tests/x11/lib.sh"
trap 'rm -rf "$work"' EXIT

x11_step "building the packages"
"$source/scripts/package.sh" >"$X11_ARTIFACTS/package.log" 2>&1 \
    || { tail -n 40 "$X11_ARTIFACTS/package.log"; x11_fail "scripts/package.sh failed"; }
debs=("$source"/build/packages/quorvane{,-send}_"${version}"_*.deb)
for deb in "${debs[@]}"; do
    [[ -f $deb ]] || x11_fail "no package $deb"
    [[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || x11_fail "$deb is not version $version"
done

x11_step "making a Debian root"
mirror=/etc/apt/sources.list.d/debian.sources
[[ -f $mirror ]] || mirror=
mkdir -p "$cache"
mmdebstrap --quiet --variant=apt --skip=download/empty --skip=essential/unlink \
    --skip=cleanup/apt/cache --skip=cleanup/apt/lists \
    --setup-hook='mkdir -p "$1"/var/cache/apt/archives' \
    --setup-hook="sync-in $cache /var/cache/apt/archives" \
    bookworm "$root" $mirror >"$X11_ARTIFACTS/mmdebstrap.log" 2>&1 \
    || { tail -n 20 "$X11_ARTIFACTS/mmdebstrap.log"; x11_fail "mmdebstrap failed"; }

# Every path but the package manager's own records, caches and logs.
files() {
    (cd "$root" && find . \( -path ./proc -o -path ./sys -o -path ./dev -o -path ./run \
        -o -path ./tmp -o -path ./var/lib/apt -o -path ./var/lib/dpkg -o -path ./var/cache \
        -o -path ./var/log \) -prune -o -print | sort)
}
files >"$work/before"

x11_step "apt-get install"
cp "${debs[@]}" "$root/tmp/"
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    "/tmp/${debs[0]##*/}" "/tmp/${debs[1]##*/}" >"$X11_ARTIFACTS/install.log" 2>&1 \
    || { tail -n 20 "$X11_ARTIFACTS/install.log"; x11_fail "apt-get install failed"; }
cp "$root"/var/cache/apt/archives/*.deb "$cache/" 2>/dev/null || true

for path in /usr/bin/quorvane /usr/bin/quorvane-send \
    /usr/share/applications/org.quorvane.Quorvane.desktop \
    /usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml \
    /usr/share/icons/hicolor/48x48/apps/org.quorvane.Quorvane.png \
    /usr/share/man/man1/quorvane.1.gz /usr/share/man/man1/quorvane-send.1.gz \
    /usr/share/doc/quorvane/copyright /usr/share/doc/quorvane-send/copyright; do
    [[ -e $root$path ]] || x11_fail "$path is not installed"
done
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml" \
    || x11_fail "the AppStream release is not $version"
sent=$(chroot "$root" quorvane-send --version)
[[ $sent == "quorvane-send $version" ]] || x11_fail "quorvane-send --version says '$sent'"

x11_step "starting the installed quorvane"
# Under a private X server, both in a network namespace of their own, so that
# the program takes no datagrams meant for other tests; the mounts go with
# the namespace.
unshare --net --mount "$source/tests/x11/xsession.sh" "$0" --inside-x "$root" \
    || x11_fail "the installed quorvane did not show its window"

x11_step "apt-get purge"
rm -f "$root"/tmp/*.deb
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get purge -y --autoremove \
    quorvane quorvane-send >"$X11_ARTIFACTS/purge.log" 2>&1 \
    || { tail -n 20 "$X11_ARTIFACTS/purge.log"; x11_fail "apt-get purge failed"; }
files >"$work/after"
if ! diff "$work/before" "$work/after" >"$X11_ARTIFACTS/left-behind.diff"; then
    cat "$X11_ARTIFACTS/left-behind.diff"
    x11_fail "the root differs after the purge"
fi
echo "installed, started, quit and purged without a trace"
