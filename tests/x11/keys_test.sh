#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# The keys and the mouse, as a person uses them: every full-screen key in and
# out again, Escape, double-clicks with either button, always on top, the
# About box and the frame-rate label. The window manager's _NET_WM_STATE and
# screenshots tell what happened.
source "$(dirname "$0")/lib.sh"
: "${QUORVANE_REFERENCEFRAME:?QUORVANE_REFERENCEFRAME must name quorvane_referenceframe}"

start_quorvane
window=$QUORVANE_WINDOW
activate "$window"
home=$(geometry "$window")

grey_pixels() {
    local shot=$X11_ARTIFACTS/label.png height
    screenshot "$window" "$shot"
    read -r _ _ _ height < <(geometry "$window")
    count_colour "$shot" 160 160 164 "160x50+0+$((height - 50))"
}
label_shown() { (($(grey_pixels) >= 3)); }
label_hidden() { (($(grey_pixels) == 0)); }

# settle: key presses that should do nothing leave nothing to wait for, so
# follow them with a label toggle and wait until it shows. The window has
# then handled every earlier event; a short pause more lets a request that
# it may have sent to the window manager land, too.
settle() {
    press i
    wait_until 30 label_shown || x11_fail "the I key did not show the frame-rate label"
    press d
    wait_until 30 label_hidden || x11_fail "the D key did not hide the frame-rate label"
    sleep 0.5
}

toggles_full_screen() {
    local key=$1
    press "$key"
    wait_until 30 has_state "$window" FULLSCREEN || x11_fail "$key did not enter full-screen"
    press "$key"
    wait_until 30 lacks_state "$window" FULLSCREEN || x11_fail "$key did not leave full-screen"
    wait_until 30 eval '[[ $(geometry "$window") == "$home" ]]' \
        || x11_fail "after $key the window is at $(geometry "$window"), not $home"
}

x11_step "F11, F, Ctrl+F, Alt+Return and Alt+keypad Enter each toggle full-screen"
for key in F11 f ctrl+f alt+Return alt+KP_Enter; do
    echo "$key"
    toggles_full_screen "$key"
done

x11_step "Escape leaves full-screen, and does nothing in a normal window"
press F11
wait_until 30 has_state "$window" FULLSCREEN || x11_fail "F11 did not enter full-screen"
press Escape
wait_until 30 lacks_state "$window" FULLSCREEN || x11_fail "Escape did not leave full-screen"
press Escape
settle
x11_check "Escape entered full-screen" lacks_state "$window" FULLSCREEN
x11_check "Escape moved the window" [ "$(geometry "$window")" = "$home" ]

x11_step "I and D show and hide the frame-rate label, exactly as painted"
label_dashes=$X11_ARTIFACTS/label-dashes.png
"$QUORVANE_REFERENCEFRAME" 400 200 -1 0 fps "$label_dashes" \
    || x11_fail "could not render the reference frame"
press i
wait_until 30 shows_picture "$window" "$label_dashes" \
    || x11_fail "I did not show the \"25 fps\" label as painted"
press i
wait_until 30 label_hidden || x11_fail "the second I did not hide the label"
press d
wait_until 30 label_shown || x11_fail "D did not show the label"
press d
wait_until 30 label_hidden || x11_fail "the second D did not hide the label"

# xdotool's two clicks are 50 ms apart, well inside the double-click time;
# should a busy machine stretch them into two single clicks, the pair is
# tried again.
double_click() {
    xdotool mousemove --window "$window" 200 100 click --repeat 2 --delay 50 "$1"
}
x11_step "a left double-click toggles full-screen"
for attempt in 1 2 3; do
    double_click 1
    wait_until 10 has_state "$window" FULLSCREEN && break
    ((attempt < 3)) || x11_fail "a left double-click did not enter full-screen"
done
for attempt in 1 2 3; do
    double_click 1
    wait_until 10 lacks_state "$window" FULLSCREEN && break
    ((attempt < 3)) || x11_fail "a left double-click did not leave full-screen"
done

x11_step "a middle or right double-click does not"
double_click 2
settle
x11_check "a middle double-click entered full-screen" lacks_state "$window" FULLSCREEN
double_click 3
# The right button opens the context menu; Escape closes it if it is still
# open, and does nothing to a normal window otherwise.
sleep 0.5
press Escape
settle
x11_check "a right double-click entered full-screen" lacks_state "$window" FULLSCREEN
activate "$window"

x11_step "Ctrl+T puts the window above the others and back, without moving it"
before=$(geometry "$window")
press ctrl+t
wait_until 30 has_state "$window" ABOVE || x11_fail "Ctrl+T did not set always on top"
settle
x11_check "Ctrl+T moved the window from $before to $(geometry "$window")" \
    [ "$(geometry "$window")" = "$before" ]
x11_check "Ctrl+T left the window inactive" is_active "$window"
press ctrl+t
wait_until 30 lacks_state "$window" ABOVE || x11_fail "the second Ctrl+T did not clear it"
settle
x11_check "the second Ctrl+T moved the window from $before to $(geometry "$window")" \
    [ "$(geometry "$window")" = "$before" ]

x11_step "Ctrl+I opens the About box, which takes the keys until it closes"
press ctrl+i
about=$(wait_window "About Quorvane" "$QUORVANE_PROGRAM") || x11_fail "no About Quorvane window"
wait_until 30 is_active "$about" || x11_fail "the About box did not become active"
screenshot "$about" "$X11_ARTIFACTS/about.png"
press f
press Return
wait_until 30 eval '! find_window "About Quorvane" "$QUORVANE_PROGRAM" >/dev/null' \
    || x11_fail "Return did not close the About box"
activate "$window"
settle
x11_check "F reached the main window while the About box was open" \
    lacks_state "$window" FULLSCREEN
press ctrl+i
about=$(wait_window "About Quorvane" "$QUORVANE_PROGRAM") || x11_fail "no About Quorvane window"
wait_until 30 is_active "$about" || x11_fail "the About box did not become active"
press Escape
wait_until 30 eval '! find_window "About Quorvane" "$QUORVANE_PROGRAM" >/dev/null' \
    || x11_fail "Escape did not close the About box"
activate "$window"

x11_step "full-screen on a maximized window returns to maximized"
wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
maximized() { has_state "$window" MAXIMIZED_VERT && has_state "$window" MAXIMIZED_HORZ; }
wait_until 30 maximized || x11_fail "the window manager did not maximize the window"
maximized_geometry=$(geometry "$window")
for leave in F11 Escape; do
    press F11
    wait_until 30 has_state "$window" FULLSCREEN || x11_fail "F11 did not enter full-screen"
    press "$leave"
    wait_until 30 lacks_state "$window" FULLSCREEN || x11_fail "$leave did not leave full-screen"
    wait_until 30 maximized || x11_fail "after F11 and $leave the window is no longer maximized"
    wait_until 30 eval '[[ $(geometry "$window") == "$maximized_geometry" ]]' \
        || x11_fail "after F11 and $leave: $(geometry "$window"), not $maximized_geometry"
done
press Escape
settle
x11_check "Escape unmaximized the window" maximized

echo "PASS"
