#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# The screen stays awake while a timecode shows or the window is full
# screen, and only then. First with no desktop service: the X server's own
# screen saver, set to start after 3 idle seconds, stays off while timecode
# streams and starts again after loss of signal. Then on a private session
# bus with a stand-in org.freedesktop.ScreenSaver, which records every
# Inhibit and UnInhibit; and last with only the desktop portal's Inhibit.
# Each part keeps its own artifacts.
[[ -n ${1:-} ]] && X11_ARTIFACTS=$X11_ARTIFACTS/${1#--}
source "$(dirname "$0")/lib.sh"
: "${XSAVERSTATE:?XSAVERSTATE must name xsaverstate}"

saver_is() { [[ $("$XSAVERSTATE") == "$1" ]]; }

# The system's Python, where python3-dbus lives, even under a Python of
# one's own on PATH.
dbus_python() {
    local candidate
    for candidate in python3 /usr/bin/python3; do
        if "$candidate" -c 'import dbus, gi' 2>/dev/null; then
            echo "$candidate"
            return
        fi
    done
}

if [[ -z ${1:-} ]]; then
    unset DBUS_SESSION_BUS_ADDRESS
    xset s 3 3
    start_quorvane

    x11_step "with dashes in a window the X screen saver starts"
    wait_until 15 saver_is on || x11_fail "the X screen saver never started"

    x11_step "while timecode streams it goes off and stays off"
    open_sender sender
    keep_sending "$sender" 90000 25 0.1 1
    wait_until 10 saver_is off || x11_fail "the X screen saver stayed on with a timecode"
    # Twice the saver's timeout without any input.
    for _ in $(seq 60); do
        saver_is off || x11_fail "the X screen saver started while timecode streamed"
        sleep 0.1
    done

    x11_step "after loss of signal it starts again"
    stop_sending "$SENDER_PID"
    wait_until 15 saver_is on || x11_fail "the X screen saver stayed off after loss of signal"
    quit_quorvane ctrl+q
    xset s off

    if ! command -v dbus-run-session >/dev/null || [[ -z $(dbus_python) ]]; then
        echo "SKIPPED: the part with a desktop service needs dbus and python3-dbus"
        exit 77
    fi
    dbus-run-session -- "$0" --with-service || exit
    exec dbus-run-session -- "$0" --with-portal
fi

calls=$X11_ARTIFACTS/calls.log
"$(dbus_python)" "$(dirname "$0")/fake_screensaver.py" "$calls" ${1#--with-} &
X11_BACKGROUND+=($!)
wait_until 20 test -e "$calls" || x11_fail "the stand-in service did not start"

# expect_calls LINE...: waits until the service has recorded exactly these.
recorded() { [[ $(tr '\n' '|' <"$calls") == "$1" ]]; }
expect_calls() {
    local wanted=
    (($# == 0)) || wanted=$(printf '%s|' "$@")
    wait_until 10 recorded "$wanted" \
        || x11_fail "the service recorded '$(tr '\n' '|' <"$calls")', not '$wanted'"
}

if [[ $1 == --with-portal ]]; then
    x11_step "only the portal: a timecode inhibits going idle, loss of signal and exit let go"
    start_quorvane
    open_sender sender
    keep_sending "$sender" 90000 25 0.1 1
    expect_calls "Inhibit 1 8"
    stop_sending "$SENDER_PID"
    expect_calls "Inhibit 1 8" "Close 1"
    keep_sending "$sender" 90000 25 0.1 1
    expect_calls "Inhibit 1 8" "Close 1" "Inhibit 2 8"
    quit_quorvane ctrl+q
    expect_calls "Inhibit 1 8" "Close 1" "Inhibit 2 8" "Close 2"
    echo PASS
    exit 0
fi

x11_step "dashes in a window ask for nothing"
start_quorvane
sleep 1
expect_calls

x11_step "a timecode inhibits, loss of signal lets go"
open_sender sender
keep_sending "$sender" 90000 25 0.1 1
expect_calls "Inhibit 1 org.quorvane.Quorvane"
stop_sending "$SENDER_PID"
expect_calls "Inhibit 1 org.quorvane.Quorvane" "UnInhibit 1"

x11_step "full screen inhibits even with dashes, leaving it lets go"
activate "$QUORVANE_WINDOW"
press F11
wait_until 10 has_state "$QUORVANE_WINDOW" FULLSCREEN || x11_fail "F11 did not go full screen"
expect_calls "Inhibit 1 org.quorvane.Quorvane" "UnInhibit 1" "Inhibit 2 org.quorvane.Quorvane"
press Escape
expect_calls "Inhibit 1 org.quorvane.Quorvane" "UnInhibit 1" "Inhibit 2 org.quorvane.Quorvane" \
    "UnInhibit 2"

x11_step "exit lets go"
keep_sending "$sender" 90000 25 0.1 1
expect_calls "Inhibit 1 org.quorvane.Quorvane" "UnInhibit 1" "Inhibit 2 org.quorvane.Quorvane" \
    "UnInhibit 2" "Inhibit 3 org.quorvane.Quorvane"
quit_quorvane ctrl+q
expect_calls "Inhibit 1 org.quorvane.Quorvane" "UnInhibit 1" "Inhibit 2 org.quorvane.Quorvane" \
    "UnInhibit 2" "Inhibit 3 org.quorvane.Quorvane" "UnInhibit 3"
echo PASS
