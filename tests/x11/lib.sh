# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Shared helpers of the window tests, sourced by each script. They drive the
# real program the way a person would: real key presses and clicks through
# XTEST, the window manager's own view of the window, screenshots of what is
# on the screen. Every wait polls with a generous limit, so a slow machine
# makes the tests slower, never red.
#
# Expects: DISPLAY (from xsession.sh), QUORVANE (the program), optionally
# X11_ARTIFACTS (a folder kept for inspection; a temporary one otherwise).

set -euo pipefail

: "${QUORVANE:?QUORVANE must name the quorvane program}"

# The program must reach the X server even if the caller asked for offscreen.
export QT_QPA_PLATFORM=xcb

if [[ -n ${X11_ARTIFACTS:-} ]]; then
    rm -rf "$X11_ARTIFACTS"
    mkdir -p "$X11_ARTIFACTS"
else
    X11_ARTIFACTS=$(mktemp -d)
fi

QUORVANE_PORT=8201
QUORVANE_PID=
QUORVANE_WINDOW=
X11_BACKGROUND=() # pids of the helpers this script started

# --- reporting ---------------------------------------------------------------

x11_step() { echo "--- $*"; }

x11_fail() {
    echo "FAIL: $*" >&2
    echo "(screenshots and logs in $X11_ARTIFACTS)" >&2
    exit 1
}

# x11_check DESCRIPTION COMMAND...: fails the test unless COMMAND succeeds.
x11_check() {
    local what=$1
    shift
    "$@" || x11_fail "$what"
}

now_ms() { date +%s%3N; }

# wait_until SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds;
# returns 1 if it never did within SECONDS.
wait_until() {
    local deadline=$(($(now_ms) + $1 * 1000))
    shift
    while ! "$@"; do
        (($(now_ms) < deadline)) || return 1
        sleep 0.1
    done
}

# --- the program -------------------------------------------------------------

x11_cleanup() {
    local pid
    for pid in "${X11_BACKGROUND[@]}" $QUORVANE_PID; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}
trap x11_cleanup EXIT

# find_window TITLE [PID]: prints the id of a mapped window whose title is
# exactly TITLE (xdotool matches regular expressions without regard to case,
# so the result is checked again), optionally one that belongs to PID.
find_window() {
    local title=$1 pid=${2:-} id
    local args=(--onlyvisible --name "^${title}\$")
    [[ -n $pid ]] && args=(--pid "$pid" "${args[@]}")
    for id in $(xdotool search "${args[@]}" 2>/dev/null); do
        if [[ $(xprop -id "$id" _NET_WM_NAME 2>/dev/null) == *"= \"$title\"" ]]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# wait_window TITLE [PID]: waits for find_window and prints the id.
wait_window() {
    local id deadline=$(($(now_ms) + 30000))
    until id=$(find_window "$@"); do
        (($(now_ms) < deadline)) || return 1
        sleep 0.1
    done
    echo "$id"
}

# start_quorvane: runs the program in the background and waits until the
# window manager has mapped its window (QUORVANE_PID, QUORVANE_WINDOW).
start_quorvane() {
    "$QUORVANE" >>"$X11_ARTIFACTS/quorvane.log" 2>&1 &
    QUORVANE_PID=$!
    QUORVANE_WINDOW=$(wait_window Quorvane "$QUORVANE_PID") \
        || x11_fail "no window titled Quorvane appeared"
    # The window manager adds its frame and _NET_WM_STATE once it manages the
    # window; wait for that so that the first key press is not lost.
    wait_until 30 window_is_managed "$QUORVANE_WINDOW" \
        || x11_fail "the window manager did not take the window on"
    # The first paint can come after the map; the dashes show it happened.
    wait_until 30 shows_colour "$QUORVANE_WINDOW" 0 255 0 200 \
        || x11_fail "the window never showed green digits"
}

window_is_managed() {
    xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q ' = '
}

quorvane_running() { kill -0 "$QUORVANE_PID" 2>/dev/null; }

# wait_quorvane_exit: waits for the program to end; its exit code lands in
# QUORVANE_STATUS.
wait_quorvane_exit() {
    wait_until 30 eval '! quorvane_running' || x11_fail "quorvane did not exit"
    QUORVANE_STATUS=0
    wait "$QUORVANE_PID" || QUORVANE_STATUS=$?
    QUORVANE_PID=
}

# --- window manager and input -----------------------------------------------

# window_state WINDOW: the window's _NET_WM_STATE atoms, one a line.
window_state() {
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | sed -n 's/.*= //p' | tr ',' '\n' | tr -d ' '
}

has_state() { window_state "$1" | grep -qx "_NET_WM_STATE_$2"; }
lacks_state() { ! has_state "$@"; }

# geometry WINDOW: "X Y W H" of the client area, as the window manager placed it.
geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
        END { print x, y, w, h }'
}

is_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }

# activate WINDOW: makes it the active window, so that keys go to it.
activate() {
    xdotool windowactivate "$1" 2>/dev/null || true
    wait_until 20 is_active "$1" || x11_fail "window $1 did not become active"
}

# press KEY...: real key presses (XTEST) into the active window.
press() {
    xdotool key --clearmodifiers --delay 60 "$@"
}

# --- screenshots -------------------------------------------------------------

# screenshot WINDOW FILE: the window's client area as the screen shows it.
screenshot() {
    local tries
    for _ in 1 2 3 4 5; do
        import -window "$1" "$2" 2>/dev/null && return 0
        sleep 0.2
    done
    x11_fail "could not take a screenshot of window $1"
}

# count_colour FILE R G B [WxH+X+Y]: the number of pixels of exactly that
# colour, in the whole picture or in the region.
count_colour() {
    local file=$1 colour="($2,$3,$4)" crop=()
    [[ -n ${5:-} ]] && crop=(-crop "$5" +repage)
    convert "$file" "${crop[@]}" -alpha off -depth 8 -format %c histogram:info:- \
        | tr -d ' ' | awk -F: -v c="$colour" 'index($2, c) == 1 { n += $1 } END { print n + 0 }'
}

# same_picture A B: the two pictures have the same size and equal pixels.
same_picture() {
    local diff
    diff=$(compare -metric AE "$1" "$2" null: 2>&1) || true
    [[ $diff == 0 ]]
}

# shows_colour WINDOW R G B MIN [REGION]: a fresh screenshot has at least MIN
# pixels of the colour. The shot is kept as $X11_ARTIFACTS/last.png.
shows_colour() {
    screenshot "$1" "$X11_ARTIFACTS/last.png"
    (($(count_colour "$X11_ARTIFACTS/last.png" "$2" "$3" "$4" "${6:-}") >= $5))
}

# shows_green / shows_red WINDOW: digits in that colour and none in the other.
shows_green() {
    screenshot "$1" "$X11_ARTIFACTS/last.png"
    (($(count_colour "$X11_ARTIFACTS/last.png" 0 255 0) >= 200 &&
        $(count_colour "$X11_ARTIFACTS/last.png" 255 0 0) == 0))
}
shows_red() {
    screenshot "$1" "$X11_ARTIFACTS/last.png"
    (($(count_colour "$X11_ARTIFACTS/last.png" 255 0 0) >= 200 &&
        $(count_colour "$X11_ARTIFACTS/last.png" 0 255 0) == 0))
}

# shows_picture WINDOW FILE: a fresh screenshot equals FILE.
shows_picture() {
    screenshot "$1" "$X11_ARTIFACTS/last.png"
    same_picture "$X11_ARTIFACTS/last.png" "$2"
}
shows_other_picture() { ! shows_picture "$@"; }

# --- datagrams ---------------------------------------------------------------

# Each sender is a UDP socket that bash opens once and keeps, so all its
# datagrams share one source port, as from a real sender; a second socket is
# a second sender.

# open_sender VAR: opens a sender and stores its descriptor in VAR.
open_sender() {
    local fd
    exec {fd}>"/dev/udp/127.0.0.1/$QUORVANE_PORT"
    printf -v "$1" %s "$fd"
}

# be32 N: the escapes of N as a big-endian 32-bit word, for printf.
be32() {
    printf '\\x%02x\\x%02x\\x%02x\\x%02x' \
        $((($1 >> 24) & 255)) $((($1 >> 16) & 255)) $((($1 >> 8) & 255)) $(($1 & 255))
}

# send_timecode FD COUNT RATE: one 28-byte timecode datagram. A refused send
# (nobody listening yet) is not an error of the test.
send_timecode() {
    local format
    format=$(be32 1)$(be32 0)$(be32 0)$(be32 12)$(be32 "$3")$(be32 0)$(be32 "$2")
    # One printf writes the whole datagram in one piece.
    printf "$format" 1>&"$1" 2>/dev/null || true
}

# keep_sending FD COUNT RATE INTERVAL [STEP]: sends in the background every
# INTERVAL seconds, adding STEP (default 0) to the count each time; the pid
# lands in X11_BACKGROUND and in SENDER_PID.
keep_sending() {
    local fd=$1 count=$2 rate=$3 interval=$4 step=${5:-0}
    (
        while :; do
            send_timecode "$fd" "$count" "$rate"
            count=$((count + step))
            sleep "$interval"
        done
    ) &
    SENDER_PID=$!
    X11_BACKGROUND+=("$SENDER_PID")
}

stop_sending() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
