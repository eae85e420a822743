#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Start-up, a stream of datagrams, a few keys and a close, all under valgrind
# memcheck. Fails on any memory error or definite leak that involves the
# program's own code; what the libraries do internally is listed in
# valgrind.supp or, if new, reported but not held against the program.
#
# A record is the program's own when one of its frames lies in our source
# tree, main() excepted: main() sits at the bottom of everything the toolkit
# does on the GUI thread. A record whose first frame above the allocator is
# main() itself is ours as well.
source "$(dirname "$0")/../x11/lib.sh"
: "${UDPFLOOD:?UDPFLOOD must name the flooder}"
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
log=$X11_ARTIFACTS/memcheck.log

start_quorvane valgrind --tool=memcheck --leak-check=full \
    --show-leak-kinds=definite --errors-for-leak-kinds=definite --num-callers=50 \
    --child-silent-after-fork=yes --fullpath-after="$source_dir/" \
    --suppressions="$here/valgrind.supp" --log-file="$log"

activate "$QUORVANE_WINDOW"
"$UDPFLOOD" --count 20000 --seed 8
for count in 0 1 2 3 4; do
    "$UDPFLOOD" --single 25 $((90000 + count))
    sleep 0.2
done
for keys in i F11 Escape ctrl+t ctrl+t i; do
    press "$keys"
    sleep 0.3
done
popup key --clearmodifiers ctrl+i
# Loss of signal, with its repaint, before the close.
sleep 2.5
quit_quorvane ctrl+q

grep -q 'ERROR SUMMARY' "$log" || x11_fail "valgrind wrote no summary (see $log)"

# Splits the log into records (blank-line separated, for the main process
# only) and prints every error or definite leak that is ours.
pid=$(sed -n '1s/^==\([0-9]*\)==.*/\1/p' "$log")
ours=$(grep "^==$pid==" "$log" | sed "s/^==$pid== \{0,1\}//" | awk '
    /^$/ { judge(); next }
    { record = record $0 "\n"; lines[n++] = $0 }
    function judge(   i, first, mine, frame) {
        if (n > 0 && lines[0] !~ /SUMMARY|^HEAP|^LEAK|in use at exit|total heap usage|^ *(definitely|indirectly|possibly) lost:|still reachable|suppressed:|Reachable blocks|To see them|Use --|For lists|For counts|Memcheck|Copyright|Using Valgrind|Command:|Parent PID|of which|newarray/) {
            first = 1
            for (i = 1; i < n; i++) {
                if (lines[i] !~ /^ +(at|by) 0x/) break
                if (lines[i] ~ /vgpreload_memcheck|in \/usr\/libexec\/valgrind/) continue
                frame = lines[i]
                if (frame ~ /\((app|window|input|platform|res)\/[^ ]*:[0-9]+\)$/) {
                    if (frame !~ /: main \(/ || first) mine = 1
                }
                first = 0
            }
            if (mine && (lines[0] !~ /lost in loss record/ || lines[0] ~ /definitely lost/))
                printf "%s\n", record
        }
        record = ""; n = 0; delete lines
    }
    END { judge() }')

[[ -z $ours ]] || x11_fail "memcheck found problems in the program's own code:"$'\n'"$ours"
definite=$(grep "^==$pid==" "$log" | grep -oE 'definitely lost: [0-9,]+ bytes in [0-9,]+ blocks' || true)
errors=$(grep "^==$pid== ERROR SUMMARY" "$log" | sed "s/^==$pid== //")
x11_step "memcheck: ${definite:-no definite leaks} left unsuppressed in the libraries; $errors"
echo "PASS"
