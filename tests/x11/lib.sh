# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Shared helpers of every test that drives the real window (tests/x11 and
# tests/reliability), sourced by each script inside xsession.sh. They drive
# the program the way a person would: real key presses and clicks through
# XTEST, the window manager's own view of the window, screenshots of what is
# on the screen. Every wait polls with a generous limit, so a slow machine
# (or a program under valgrind) makes the tests slower, never red.
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
QUORVANE_PID=     # the process start_quorvane started (a tracer, if any)
QUORVANE_PROGRAM= # the process that owns the window
QUORVANE_WINDOW=
X11_BACKGROUND=() # pids of everything this script started

# --- reporting ---------------------------------------------------------------

now_ms() { date +%s%3N; }

# Messages carry the seconds since the test began, which tells a slow machine
# from a hang when a run goes wrong.
X11_BEGAN=$(now_ms)
x11_elapsed() {
    local ms=$(($(now_ms) - X11_BEGAN))
    printf '%d.%01d s' $((ms / 1000)) $((ms % 1000 / 100))
}

x11_step() { echo "--- [$(x11_elapsed)] $*"; }

x11_fail() {
    echo "FAIL [$(x11_elapsed)]: $*" >&2
    echo "(screenshots and logs in $X11_ARTIFACTS)" >&2
    exit 1
}

# x11_check DESCRIPTION COMMAND...: fails the test unless COMMAND succeeds.
x11_check() {
    local what=$1
    shift
    "$@" || x11_fail "$what"
}

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

# Whatever a test started ends when it exits, passed or failed, so that no
# program outlives its X session or keeps the port. Children go too: a
# program started behind a tracer is the tracer's child.
x11_cleanup() {
    local pid
    for pid in "${X11_BACKGROUND[@]}"; do
        kill $(pgrep -P "$pid") "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}
trap x11_cleanup EXIT

# find_window TITLE [PID]: prints the id of a mapped window whose title is
# exactly TITLE (xdotool matches regular expressions without regard to case,
# so the result is checked again), optionally one that belongs to PID.
find_window() {
    local title=$1 pid=${2:-} id
    local args=(--all --onlyvisible --name "^${title}\$")
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
wait_window() { wait_until 30 find_window "$@"; }

# quorvane_window PID: prints "WINDOW PROGRAM", the program's main window and
# the pid that owns it: PID itself or, behind a tracer, one of its children.
quorvane_window() {
    local candidate
    for candidate in "$1" $(pgrep -P "$1"); do
        find_window Quorvane "$candidate" | sed "s/\$/ $candidate/" && return 0
    done
    return 1
}

# start_quorvane [PREFIX...]: runs the program (behind PREFIX, e.g. a tracer)
# in the background, waits until the window manager has mapped its window,
# makes it the active window and waits for the first paint. Sets
# QUORVANE_PID, QUORVANE_PROGRAM and QUORVANE_WINDOW; a test with two
# programs copies them after each start.
start_quorvane() {
    "$@" "$QUORVANE" >>"$X11_ARTIFACTS/quorvane.log" 2>&1 &
    QUORVANE_PID=$!
    X11_BACKGROUND+=("$QUORVANE_PID")
    local found
    found=$(wait_until 120 quorvane_window "$QUORVANE_PID") \
        || x11_fail "no window titled Quorvane appeared (see $X11_ARTIFACTS/quorvane.log)"
    read -r QUORVANE_WINDOW QUORVANE_PROGRAM <<<"$found"
    # The window manager adds its frame and _NET_WM_STATE once it manages the
    # window; wait for that so that the first key press is not lost.
    wait_until 120 window_is_managed "$QUORVANE_WINDOW" \
        || x11_fail "the window manager did not take the window on"
    # A second program's window may open beneath the first one; on top and
    # active, it shows itself and takes the keys.
    activate "$QUORVANE_WINDOW"
    # The first paint can come after the map; the dashes show it happened.
    wait_until 120 shows_colour "$QUORVANE_WINDOW" 0 255 0 200 \
        || x11_fail "the window never showed green digits"
    x11_step "quorvane: pid $QUORVANE_PID, window $QUORVANE_WINDOW"
}

window_is_managed() {
    xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q ' = '
}

is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

is_running() { kill -0 "$1" 2>/dev/null; }

# wait_quorvane_exit [PID]: waits for the program (default: the last one
# started) to end; its exit code lands in QUORVANE_STATUS.
wait_quorvane_exit() {
    local pid=${1:-$QUORVANE_PID}
    wait_until 60 eval "! is_running $pid" || x11_fail "pid $pid did not exit"
    QUORVANE_STATUS=0
    wait "$pid" || QUORVANE_STATUS=$?
}

# quit_quorvane KEY [PID WINDOW]: presses KEY in the window (default: the
# last one started) and expects the program to end with exit code 0; under
# the sanitizers that also means no leak report.
quit_quorvane() {
    local key=$1 pid=${2:-$QUORVANE_PID} window=${3:-$QUORVANE_WINDOW}
    activate "$window"
    press "$key"
    wait_quorvane_exit "$pid"
    if ((QUORVANE_STATUS != 0)); then
        # A sanitizer's report, if any, is in the program's log.
        tail -n 60 "$X11_ARTIFACTS"/*.log >&2 2>/dev/null || true
        x11_fail "pid $pid exited with status $QUORVANE_STATUS after $key"
    fi
    x11_step "pid $pid ended with status 0 on $key"
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
    wait_until 60 is_active "$1" || x11_fail "window $1 did not become active"
}

# press KEY...: real key presses (XTEST) into the active window.
press() {
    xdotool key --clearmodifiers --delay 60 "$@"
}

# visible_windows PID: the number of mapped windows that PID shows.
visible_windows() {
    xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l
}

# popup XDOTOOL-ARGS...: opens a pop-up of the program (the About box, the
# context menu) with the given xdotool command, waits until it is on screen
# and closes it with Escape. Slow runs (valgrind) need the waits: a key sent
# before the pop-up appears would go to the wrong window.
popup() {
    local before
    activate "$QUORVANE_WINDOW"
    before=$(visible_windows "$QUORVANE_PROGRAM")
    xdotool "$@"
    wait_until 60 eval '(($(visible_windows "$QUORVANE_PROGRAM") > before))' \
        || x11_fail "no pop-up appeared on: $*"
    press Escape
    wait_until 60 eval '(($(visible_windows "$QUORVANE_PROGRAM") <= before))' \
        || x11_fail "the pop-up opened by $* did not close"
}

# --- screenshots -------------------------------------------------------------

# screenshot WINDOW FILE: the window's client area as the screen shows it.
screenshot() {
    for _ in 1 2 3 4 5; do
        timeout 10 import -window "$1" "$2" 2>/dev/null && return 0
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

# shows_green WINDOW: digits in green and none in red.
shows_green() {
    screenshot "$1" "$X11_ARTIFACTS/last.png"
    (($(count_colour "$X11_ARTIFACTS/last.png" 0 255 0) >= 200 &&
        $(count_colour "$X11_ARTIFACTS/last.png" 255 0 0) == 0))
}

# shows_picture WINDOW FILE: a fresh screenshot equals FILE.
shows_picture() {
    screenshot "$1" "$X11_ARTIFACTS/last.png"
    same_picture "$X11_ARTIFACTS/last.png" "$2"
}
shows_other_picture() { ! shows_picture "$@"; }

# For windows whose exact picture no reference frame gives (other sizes,
# two programs side by side), the dashes shown without signal are the
# yardstick: a timecode has far more green, since every digit has more ink
# than a dash. calibrate_dashes WINDOW measures them into DASHES_GREEN and
# keeps the shot as $X11_ARTIFACTS/dashes.png.
DASHES_GREEN=0
calibrate_dashes() {
    wait_until 30 shows_green "$1" || x11_fail "the window does not show green dashes"
    cp "$X11_ARTIFACTS/last.png" "$X11_ARTIFACTS/dashes.png"
    DASHES_GREEN=$(count_colour "$X11_ARTIFACTS/dashes.png" 0 255 0)
    x11_step "dashes: $DASHES_GREEN green pixels"
}

# shown WINDOW: prints dashes, timecode, red or unknown.
shown() {
    local green
    screenshot "$1" "$X11_ARTIFACTS/last.png"
    green=$(count_colour "$X11_ARTIFACTS/last.png" 0 255 0)
    if (($(count_colour "$X11_ARTIFACTS/last.png" 255 0 0) > 0)); then
        echo red
    elif ((green == DASHES_GREEN)); then
        echo dashes
    elif ((green > DASHES_GREEN * 3 / 2)); then
        echo timecode
    else
        echo unknown
    fi
}
shows() { [[ $(shown "$1") == "$2" ]]; }

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

# keep_sending_frame SOURCE-PORT RATE TIMECODE: quorvane-send ($QUORVANE_SEND)
# sends the one frame again every 0.3 s, in the background, always from
# SOURCE-PORT: one sender, so the frame stays on display, in green once any
# highlight has run out. The pid lands in X11_BACKGROUND and in SENDER_PID.
keep_sending_frame() {
    : "${QUORVANE_SEND:?QUORVANE_SEND must name quorvane-send}"
    (
        while "$QUORVANE_SEND" --source-port "$1" --rate "$2" --start "$3" --frames 1 >/dev/null; do
            sleep 0.3
        done
    ) &
    SENDER_PID=$!
    X11_BACKGROUND+=("$SENDER_PID")
}

# --- sockets and memory, from /proc -----------------------------------------

rss_kib() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"
}

# socket_inodes PID: the inodes of the sockets that PID holds open.
socket_inodes() {
    local fd
    for fd in /proc/"$1"/fd/*; do
        readlink "$fd" 2>/dev/null
    done | sed -n 's/^socket:\[\([0-9]*\)\]$/\1/p'
}

# udp_sockets PID PORT: "INODE DROPS" for each UDP socket of PID bound to
# PORT; DROPS counts the datagrams the kernel dropped for a full buffer.
udp_sockets() {
    awk -v port="$(printf '%04X' "$2")" -v inodes=" $(socket_inodes "$1" | tr '\n' ' ') " '
        FNR > 1 { split($2, local, ":")
                  if (local[2] == port && index(inodes, " " $10 " ")) print $10, $13 }' \
        /proc/net/udp /proc/net/udp6
}

# holds_port PID PORT: true if PID has a UDP socket bound to PORT.
holds_port() { [[ -n $(udp_sockets "$1" "$2") ]]; }

# udp_drops PID PORT: the drops of all of PID's sockets on PORT.
udp_drops() { udp_sockets "$1" "$2" | awk '{ n += $2 } END { print n + 0 }'; }
