# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Sourced by the reliability tests, which run inside tests/x11/xsession.sh.
# Expects QUORVANE (the program), UDPFLOOD and UDPHOLD (the helpers) and
# RELIABILITY_ARTIFACTS (where logs and screenshots are kept).

set -euo pipefail

: "${QUORVANE:?QUORVANE must name the program}"
: "${UDPFLOOD:?UDPFLOOD must name the flooder}"
artifacts=${RELIABILITY_ARTIFACTS:-$(mktemp -d)}
rm -rf "$artifacts"
mkdir -p "$artifacts"

# Messages carry the seconds since the test began, which tells a slow machine
# from a hang when a run goes wrong.
test_began=$(date +%s%N)
elapsed() {
    local ms=$((($(date +%s%N) - test_began) / 1000000))
    printf '%d.%01d s' $((ms / 1000)) $((ms % 1000 / 100))
}

fail() {
    echo "FAIL [$(elapsed)]: $*" >&2
    exit 1
}

note() {
    echo "-- [$(elapsed)] $*"
}

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Whatever a test started is ended when it exits, passed or failed, so that
# no program outlives its X session or keeps the port.
started_pids=()
end_started() {
    local pid
    for pid in "${started_pids[@]}"; do
        kill $(pgrep -P "$pid") "$pid" 2>/dev/null || true
    done
}
trap end_started EXIT

# X calls that wait for the window manager get a deadline, so that a lost
# event cannot hang a test.
activate() {
    timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
}

# start_quorvane NAME [PREFIX...]: starts the program (behind PREFIX, e.g. a
# tracer) and waits for its window. Sets <NAME>_pid (the process started),
# <NAME>_program (the process that owns the window; the same unless behind a
# tracer) and <NAME>_window.
start_quorvane() {
    local name=$1
    shift
    "$@" "$QUORVANE" >"$artifacts/$name.log" 2>&1 &
    local pid=$!
    started_pids+=("$pid")
    local window program
    read -r window program < <(wait_for_window "$pid" 120) \
        || fail "$name: no window appeared (see $artifacts/$name.log)"
    printf -v "${name}_pid" %s "$pid"
    printf -v "${name}_program" %s "$program"
    printf -v "${name}_window" %s "$window"
    note "$name: pid $pid, window $window"
}

# wait_for_window PID SECONDS: prints the id of the first mapped window of
# PID, or of one of its children for programs started behind a tracer, and
# the pid that owns it.
wait_for_window() {
    local pid=$1 deadline=$(($(date +%s) + $2)) candidates window
    while [[ $(date +%s) -lt $deadline ]]; do
        kill -0 "$pid" 2>/dev/null || return 1
        candidates="$pid $(pgrep -P "$pid" || true)"
        for candidate in $candidates; do
            window=$(xdotool search --onlyvisible --pid "$candidate" 2>/dev/null | head -n 1 || true)
            if [[ -n $window ]] && is_viewable "$window"; then
                echo "$window $candidate"
                return 0
            fi
        done
        sleep 0.2
    done
    return 1
}

# visible_windows PID: the number of mapped windows that PID shows.
visible_windows() {
    xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l
}

# popup PID WINDOW XDOTOOL-ARGS...: opens a pop-up (the About box, the
# context menu) with the given xdotool command, waits until it is on screen
# and closes it with Escape. Slow runs (valgrind) need the waits: a key sent
# before the pop-up appears would go to the wrong window.
popup() {
    local pid=$1 window=$2 before
    shift 2
    activate "$window"
    before=$(visible_windows "$pid")
    xdotool "$@"
    for _ in $(seq 600); do
        [[ $(visible_windows "$pid") -gt $before ]] && break
        sleep 0.1
    done
    [[ $(visible_windows "$pid") -gt $before ]] || fail "no pop-up appeared on: $*"
    xdotool key --clearmodifiers Escape
    for _ in $(seq 600); do
        [[ $(visible_windows "$pid") -le $before ]] && break
        sleep 0.1
    done
    [[ $(visible_windows "$pid") -le $before ]] || fail "the pop-up opened by $* did not close"
}

is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# close_quorvane PID WINDOW: presses Ctrl+Q in the window and expects the
# program to end with status 0 (under the sanitizers, that also means no leak
# report).
close_quorvane() {
    local pid=$1 window=$2 status=0
    activate "$window"
    xdotool key --clearmodifiers ctrl+q
    for _ in $(seq 300); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "pid $pid did not exit on Ctrl+Q"
    wait "$pid" || status=$?
    if [[ $status -ne 0 ]]; then
        # A sanitizer's report, if any, is in the program's log.
        tail -n 60 "$artifacts"/*.log >&2 2>/dev/null || true
        fail "pid $pid exited with status $status"
    fi
    note "pid $pid closed with status 0"
}

# pixels WINDOW FILE: takes a screenshot of WINDOW into FILE and prints
# "GREEN RED": the number of clearly green and clearly red pixels.
pixels() {
    timeout 10 import -window "$1" "$2" 2>/dev/null || { echo "0 0"; return; }
    convert "$2" -format %c histogram:info:- | awk '
        match($0, /\( *[0-9.]+, *[0-9.]+, *[0-9.]+/) {
            split(substr($0, RSTART + 1, RLENGTH - 1), c, ",")
            n = $1 + 0; r = c[1] + 0; g = c[2] + 0; b = c[3] + 0
            if (g >= 128 && r <= 80 && b <= 80) green += n
            if (r >= 128 && g <= 80 && b <= 80) red += n
        }
        END { printf "%d %d\n", green, red }'
}

# The dashes that the program shows without signal are the reference: a
# window showing a timecode has far more green, since every digit has more
# ink than a dash.
dashes_green=0
calibrate_dashes() {
    local window=$1 green red
    for _ in $(seq 100); do
        read -r green red < <(pixels "$window" "$artifacts/dashes.png")
        [[ $green -gt 0 ]] && break
        sleep 0.1
    done
    [[ $green -gt 0 && $red -eq 0 ]] || fail "the window does not show green dashes ($green green, $red red)"
    dashes_green=$green
    note "dashes: $green green pixels"
}

# state WINDOW: prints dashes, timecode, red or unknown.
state() {
    local green red
    read -r green red < <(pixels "$1" "$artifacts/state.png")
    if [[ $red -gt 0 ]]; then
        echo red
    elif [[ $green -eq $dashes_green ]]; then
        echo dashes
    elif [[ $green -gt $((dashes_green * 3 / 2)) ]]; then
        echo timecode
    else
        echo unknown
    fi
}

# wait_for_state WINDOW STATE SECONDS
wait_for_state() {
    local window=$1 wanted=$2 deadline=$(($(date +%s) + $3)) seen
    while [[ $(date +%s) -lt $deadline ]]; do
        seen=$(state "$window")
        [[ $seen == "$wanted" ]] && return 0
        sleep 0.1
    done
    cp "$artifacts/state.png" "$artifacts/timeout-$wanted.png" 2>/dev/null || true
    fail "window $window did not show $wanted within $3 s (last: $seen)"
}

rss_kib() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"
}

# UDP sockets bound to PORT, as inodes, from the kernel's table.
udp_inodes_on_port() {
    local hex
    hex=$(printf '%04X' "$1")
    awk -v port="$hex" 'NR > 1 { split($2, local, ":"); if (local[2] == port) print $10 }' \
        /proc/net/udp /proc/net/udp6
}

# Socket inodes that PID holds open.
socket_inodes_of() {
    local fd
    for fd in /proc/"$1"/fd/*; do
        readlink "$fd" 2>/dev/null
    done | sed -n 's/^socket:\[\([0-9]*\)\]$/\1/p'
}

# udp_drops PID PORT: datagrams that the kernel dropped because PID's socket
# on PORT was full.
udp_drops() {
    local inodes
    inodes=$(socket_inodes_of "$1")
    awk -v port="$(printf '%04X' "$2")" -v inodes=" $(echo $inodes) " '
        NR > 1 { split($2, local, ":")
                 if (local[2] == port && index(inodes, " " $10 " ")) drops += $13 }
        END { print drops + 0 }' /proc/net/udp
}

# holds_port PID PORT: true if PID has a UDP socket bound to PORT.
holds_port() {
    local inodes
    inodes=$(udp_inodes_on_port "$2")
    [[ -n $inodes ]] || return 1
    socket_inodes_of "$1" | grep -qxF "$inodes"
}
