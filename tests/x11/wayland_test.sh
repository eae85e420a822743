#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Always On Top where Wayland is: under weston's headless compositor, next to
# the X display of this session. On native Wayland the command is not offered
# as working; left to choose, the program takes the X display, where the
# window manager can keep it on top. Exits 77 (skipped) where weston or Qt's
# Wayland plugin is missing or weston cannot start.
source "$(dirname "$0")/lib.sh"
: "${TST_ALWAYSONTOP:?TST_ALWAYSONTOP must name tst_alwaysontop}"

skip() {
    echo "SKIPPED: $*"
    exit 77
}
command -v weston >/dev/null || skip "weston is not installed"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null \
    || skip "Qt's Wayland plugin is not installed (qt6-wayland)"

socket=quorvane-wayland
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
    >"$X11_ARTIFACTS/weston.log" 2>&1 &
X11_BACKGROUND+=($!)
wait_until 20 test -S "$XDG_RUNTIME_DIR/$socket" || skip "weston did not start (see weston.log)"
export WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland

x11_step "on native Wayland Always On Top is greyed and unticked"
QT_QPA_PLATFORM=wayland "$TST_ALWAYSONTOP" >"$X11_ARTIFACTS/tst_alwaysontop.log" 2>&1 \
    || { cat "$X11_ARTIFACTS/tst_alwaysontop.log"; x11_fail "tst_alwaysontop failed"; }

x11_step "left to choose, the program opens on the X display"
unset QT_QPA_PLATFORM
start_quorvane
activate "$QUORVANE_WINDOW"
press ctrl+t
wait_until 10 has_state "$QUORVANE_WINDOW" ABOVE || x11_fail "Ctrl+T did not keep the window on top"
press ctrl+q
wait_quorvane_exit
echo PASS
