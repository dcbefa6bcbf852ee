#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process time to first paint and peak memory: the program against an empty main
# window, run alternately (A B A B ...), medians and ratios. PAIRS=20 by default.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
pairs=${PAIRS:-20}

# Prints "milliseconds peak_kb" for one run of the command.
run_once() {
    local start end peak
    start=$(date +%s%N)
    peak=$("$@" 2>&1 >/dev/null | sed -n 's/^peak_kb=//p')
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000 )) $peak"
}

median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }

: > "$work/a"; : > "$work/b"
for _ in $(seq "$pairs"); do
    run_once "$starfold" >> "$work/a"
    run_once "$floor" >> "$work/b"
done

a_us=$(cut -d' ' -f1 "$work/a" | median); b_us=$(cut -d' ' -f1 "$work/b" | median)
a_kb=$(cut -d' ' -f2 "$work/a" | median); b_kb=$(cut -d' ' -f2 "$work/b" | median)
printf '%-28s %12s %12s %8s\n' "($pairs pairs, medians)" starfold "empty window" ratio
awk -v a="$a_us" -v b="$b_us" 'BEGIN {printf "%-28s %9.1f ms %9.1f ms %7.2fx\n", "wall time to first paint", a/1000, b/1000, a/b}'
awk -v a="$a_kb" -v b="$b_kb" 'BEGIN {printf "%-28s %9.1f MB %9.1f MB %7.2fx\n", "peak resident memory", a/1024, b/1024, a/b}'
