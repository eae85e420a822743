#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Runs a test in a network namespace of its own, with only loopback, so that
# it can take fixed ports without meeting anything else on the machine.
# Exits 77 (skipped) where namespaces cannot be made.
if ! unshare -n true 2>/dev/null; then
    echo "skipped: cannot make a network namespace (unshare -n needs root)"
    exit 77
fi
exec unshare -n sh -c 'ip link set lo up && exec "$@"' netns "$@"
