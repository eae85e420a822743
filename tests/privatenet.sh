#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Runs a command in a network namespace of its own, with loopback up and no
# other network, so that a test that binds or sends to UDP port 8201 neither
# takes datagrams from a Quorvane running on the machine nor loses its own to
# it. As root that is unshare -n; otherwise a user namespace, where the
# kernel allows them, inside which the command keeps the caller's uid. Where
# neither works the command runs as it is, on the host's loopback.
#
#   privatenet.sh COMMAND [ARGS...]
#
# An X server started by the command lives in the namespace as well, and so
# do its clients: X11's abstract sockets belong to the network namespace.
set -euo pipefail

case ${1:-} in
--inside)
    # In the new namespace: loopback starts down.
    shift
    ip link set lo up
    exec "$@"
    ;;
--inside-user)
    # As root of a user namespace of our own: loopback up, then back to the
    # caller's uid and gid in a nested user namespace (same network).
    uid=$2 gid=$3
    shift 3
    ip link set lo up
    exec unshare --user --map-user="$uid" --map-group="$gid" "$@"
    ;;
esac
[[ $# -gt 0 ]] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }

# Each way is tried out first, loopback and all, so that a half-allowed one
# falls back rather than failing the test.
if command -v ip >/dev/null; then
    if [[ $(id -u) -eq 0 ]] && unshare --net ip link set lo up 2>/dev/null; then
        exec unshare --net "$0" --inside "$@"
    fi
    as_user=(unshare --user --map-root-user --net "$0" --inside-user "$(id -u)" "$(id -g)")
    if "${as_user[@]}" true 2>/dev/null; then
        exec "${as_user[@]}" "$@"
    fi
fi
echo "privatenet: no network namespace of our own here; using the host's loopback" >&2
exec "$@"
