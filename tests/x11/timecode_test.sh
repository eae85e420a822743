#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Timecode from the network to the screen: datagrams sent to UDP port 8201
# show up in the window exactly as the program's painter draws them, a change
# of sender shows red for a moment, and two seconds of silence bring the
# dashes back. Screenshots are compared pixel by pixel with frames rendered
# offscreen by quorvane_referenceframe.
source "$(dirname "$0")/lib.sh"
: "${QUORVANE_REFERENCEFRAME:?QUORVANE_REFERENCEFRAME must name quorvane_referenceframe}"

# reference NAME COUNT RATE [red]: renders the expected 400x200 frame.
reference() {
    "$QUORVANE_REFERENCEFRAME" 400 200 "$2" "$3" ${4:-} "$X11_ARTIFACTS/$1.png" \
        || x11_fail "could not render the reference frame $1"
    echo "$X11_ARTIFACTS/$1.png"
}
dashes=$(reference dashes -1 0)
hour=$(reference hour 90061 25)        # " 1:00:02,11"
hour_red=$(reference hour-red 90061 25 red)

# wait_for_green_timecode PICTURE: waits until the window shows PICTURE and
# fails if red digits show on the way: a sender that is the first one, or the
# first one after a loss of signal, never brings the highlight.
wait_for_green_timecode() {
    local deadline=$(($(now_ms) + 30000)) shot=$X11_ARTIFACTS/last.png
    while :; do
        screenshot "$QUORVANE_WINDOW" "$shot"
        same_picture "$shot" "$1" && return 0
        if (($(count_colour "$shot" 255 0 0) > 0)); then
            cp "$shot" "$X11_ARTIFACTS/unexpected-red.png"
            x11_fail "red digits for a sender that should not bring the highlight"
        fi
        (($(now_ms) < deadline)) || x11_fail "the window never showed $(basename "$1")"
        sleep 0.05
    done
}

x11_step "starts with green dashes, exactly as the painter draws them"
start_quorvane
wait_until 30 shows_picture "$QUORVANE_WINDOW" "$dashes" \
    || x11_fail "the window does not show the reference dashes"

x11_step "the first sender's timecode shows in green"
open_sender first
keep_sending "$first" 90061 25 0.3
first_pid=$SENDER_PID
wait_for_green_timecode "$hour"

x11_step "a second sender turns the digits red"
# Alternating more often than every half second keeps the display red, so
# the check does not depend on catching a half-second window.
open_sender second
keep_sending "$second" 90061 25 0.1
second_pid=$SENDER_PID
wait_until 30 shows_picture "$QUORVANE_WINDOW" "$hour_red" \
    || x11_fail "no red digits while two senders alternate"

x11_step "the highlight ends while the new sender carries on alone"
stop_sending "$first_pid"
wait_until 30 shows_picture "$QUORVANE_WINDOW" "$hour" \
    || x11_fail "the digits did not turn green again"

x11_step "two seconds of silence bring the dashes back"
stop_sending "$second_pid"
# One last datagram at a known moment. Shots that ended within 1.5 s of it
# must still show the timecode; shots that started 3 s after it must show
# the dashes. A shot that straddles those marks proves nothing either way,
# and a cycle in which the machine was too busy to take one in time is
# tried again rather than failed.
silence_cycle() {
    local sent start end shot=$X11_ARTIFACTS/silence.png early=0
    # A retry starts from the dashes: bring the timecode back first.
    wait_until 30 eval 'send_timecode "$second" 90061 25 && shows_picture "$QUORVANE_WINDOW" "$hour"' \
        || x11_fail "the recorded sender's timecode did not come back in green"
    send_timecode "$second" 90061 25
    sent=$(now_ms)
    while :; do
        start=$(($(now_ms) - sent))
        screenshot "$QUORVANE_WINDOW" "$shot"
        end=$(($(now_ms) - sent))
        if same_picture "$shot" "$dashes"; then
            ((end > 1500)) || x11_fail "dashes only $end ms after the last datagram"
            echo "dashes seen in the shot taken $start..$end ms after the last datagram"
            ((early > 0)) && return 0
            return 1
        fi
        same_picture "$shot" "$hour" \
            || { cp "$shot" "$X11_ARTIFACTS/silence-unexpected.png"; x11_fail "neither timecode nor dashes"; }
        ((end <= 1500 && start >= 800)) && early=$((early + 1))
        ((start < 3000)) || x11_fail "still the timecode $start ms after the last datagram"
        sleep 0.05
    done
}
for attempt in 1 2 3 4 5; do
    silence_cycle && break
    ((attempt < 5)) || x11_fail "never managed a shot between 0.8 s and 1.5 s after the last datagram"
    echo "no shot landed between 0.8 s and 1.5 s; trying again"
done

x11_step "a new sender after a loss of signal shows green at once"
open_sender third
send_timecode "$third" 90061 25
keep_sending "$third" 90061 25 0.3
third_pid=$SENDER_PID
wait_for_green_timecode "$hour"
stop_sending "$third_pid"

x11_step "a running timecode changes the picture frame by frame"
keep_sending "$third" 90061 25 0.04 1
seen=()
distinct_frames() {
    local shot=$X11_ARTIFACTS/running-${#seen[@]}.png sum
    screenshot "$QUORVANE_WINDOW" "$shot"
    (($(count_colour "$shot" 255 0 0) == 0)) || x11_fail "red digits from the same sender"
    same_picture "$shot" "$dashes" && return 1
    sum=$(md5sum <"$shot")
    [[ " ${seen[*]} " == *" ${sum%% *} "* ]] || seen+=("${sum%% *}")
    ((${#seen[@]} >= 3))
}
wait_until 30 distinct_frames || x11_fail "the display did not follow a running timecode"
stop_sending "$SENDER_PID"

if [[ -n ${QUORVANE_SEND:-} ]]; then
    x11_step "quorvane-send's timecode shows exactly"
    # 0:59:59,29 at 30 fps is frame 107999.
    last_second=$(reference last-second 107999 30)
    keep_sending_frame 48201 30 00:59:59,29
    wait_until 30 shows_picture "$QUORVANE_WINDOW" "$last_second" \
        || x11_fail "the window does not show quorvane-send's 0:59:59,29"
fi

echo "PASS"
