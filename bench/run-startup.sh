#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process time to first paint and peak memory: the program against an empty main
# window, run alternately (A B A B ...), medians and ratios. PAIRS=20 by default. The empty
# window with one label runs alongside, to show what any window with text pays.
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

: > "$work/a"; : > "$work/b"; : > "$work/c"
for _ in $(seq "$pairs"); do
    run_once "$starfold" >> "$work/a"
    run_once "$floor" >> "$work/b"
    run_once "$floor" --text >> "$work/c"
done

a_us=$(cut -d' ' -f1 "$work/a" | median); b_us=$(cut -d' ' -f1 "$work/b" | median)
a_kb=$(cut -d' ' -f2 "$work/a" | median); b_kb=$(cut -d' ' -f2 "$work/b" | median)
c_us=$(cut -d' ' -f1 "$work/c" | median); c_kb=$(cut -d' ' -f2 "$work/c" | median)
printf '%-26s %10s %12s %8s %14s %8s\n' "($pairs runs each, medians)" starfold "empty window" ratio \
    "window + label" ratio
awk -v a="$a_us" -v b="$b_us" -v c="$c_us" 'BEGIN {printf "%-26s %7.1f ms %9.1f ms %7.2fx %11.1f ms %7.2fx\n", "wall time to first paint", a/1000, b/1000, a/b, c/1000, c/b}'
awk -v a="$a_kb" -v b="$b_kb" -v c="$c_kb" 'BEGIN {printf "%-26s %7.1f MB %9.1f MB %7.2fx %11.1f MB %7.2fx\n", "peak resident memory", a/1024, b/1024, a/b, c/1024, c/b}'
