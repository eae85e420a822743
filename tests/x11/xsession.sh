#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Runs a command inside a private X session: a fresh Xvfb on a free display,
# with openbox as its window manager, torn down afterwards whatever happens.
#
#   xsession.sh [--size WxH] COMMAND [ARGS...]
#
# The command sees DISPLAY and exits with its own status. -noreset keeps the
# server from resetting when its last client leaves, which would make a
# program that connects in that moment fail to start.
set -euo pipefail

size=1280x1024
if [[ ${1:-} == --size ]]; then
    size=$2
    shift 2
fi
[[ $# -gt 0 ]] || { echo "usage: $0 [--size WxH] COMMAND [ARGS...]" >&2; exit 2; }

for tool in Xvfb openbox; do
    command -v "$tool" >/dev/null || { echo "xsession: $tool is not installed" >&2; exit 1; }
done

runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime
chmod 700 "$runtime"
xvfb_pid=
wm_pid=
cleanup() {
    [[ -n $wm_pid ]] && kill "$wm_pid" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the pipe.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -noreset -nolisten tcp -screen 0 "${size}x24" \
    >"$runtime/xvfb.log" 2>&1 &
xvfb_pid=$!
display=
if ! read -r -t 20 -u "$display_fd" display || [[ -z $display ]]; then
    echo "xsession: Xvfb did not start" >&2
    cat "$runtime/xvfb.log" >&2
    exit 1
fi
exec {display_fd}>&-
export DISPLAY=:$display

openbox --sm-disable >"$runtime/openbox.log" 2>&1 &
wm_pid=$!
# Wait until the window manager has claimed the screen, so that the first
# window is managed (decorated, placed, given _NET_WM_STATE) like any other.
for _ in $(seq 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        break
    fi
    sleep 0.05
done

status=0
"$@" || status=$?
exit "$status"
