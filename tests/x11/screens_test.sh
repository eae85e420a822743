#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# The window and the screens it lives on: a screen 2560 pixels wide split into
# two monitors. Leaving full screen after its monitor was removed, or losing
# the monitor under a plain window, brings the window onto the remaining one.
# Also: the launcher's StartupWMClass names the window's real class.
source "$(dirname "$0")/lib.sh"
: "${QUORVANE_DESKTOP_FILE:?QUORVANE_DESKTOP_FILE must name the launcher entry}"

x11_step "StartupWMClass matches the window's WM_CLASS"
start_quorvane
wm_class=$(xprop -id "$QUORVANE_WINDOW" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
startup_class=$(sed -n 's/^StartupWMClass=//p' "$QUORVANE_DESKTOP_FILE")
[[ -n $wm_class && $wm_class == "$startup_class" ]] \
    || x11_fail "WM_CLASS class '$wm_class', StartupWMClass '$startup_class'"

# on_left_monitor WINDOW: the centre of the client area lies in x 0..1279.
on_left_monitor() {
    local x y w h
    read -r x y w h < <(geometry "$1")
    ((x + w / 2 < 1280 && x >= 0 && y >= 0))
}
# The left monitor takes the screen's output, so that no monitor of the
# output's own spans both halves; it stays when the right one goes.
split_screen() {
    xrandr --listmonitors | grep -q ' left ' \
        || xrandr --setmonitor left 1280/338x1024/270+0+0 screen >/dev/null
    xrandr --setmonitor right 1280/338x1024/270+1280+0 none >/dev/null
}
to_right_monitor() {
    timeout 10 xdotool windowmove --sync "$QUORVANE_WINDOW" 1500 300 || true
    wait_until 10 eval "! on_left_monitor $QUORVANE_WINDOW" \
        || x11_fail "the window could not be moved onto the right monitor"
}

x11_step "leaving full screen after its monitor was removed"
split_screen
to_right_monitor
activate "$QUORVANE_WINDOW"
press F11
wait_until 10 has_state "$QUORVANE_WINDOW" FULLSCREEN || x11_fail "F11 did not go full screen"
xrandr --delmonitor right
press Escape
wait_until 10 lacks_state "$QUORVANE_WINDOW" FULLSCREEN || x11_fail "Escape did not leave full screen"
wait_until 10 on_left_monitor "$QUORVANE_WINDOW" \
    || x11_fail "the window stayed off the remaining monitor at $(geometry "$QUORVANE_WINDOW")"

x11_step "a plain window whose monitor is removed"
split_screen
to_right_monitor
xrandr --delmonitor right
wait_until 10 on_left_monitor "$QUORVANE_WINDOW" \
    || x11_fail "the window stayed off the remaining monitor at $(geometry "$QUORVANE_WINDOW")"
echo PASS
