#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up to first paint, the program against the toolkit's floor for a window with words
# (bench/startup_floor.cpp): instructions counted by callgrind, then processor time
# (user + system) and peak resident memory over PAIRS alternated runs (A B A B ...,
# PAIRS=30 by default), as medians and ratios against their targets.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
pairs=${PAIRS:-30}

# Instructions of the program's own process (not of helpers it may start).
instructions() {
    local out=$work/cg
    rm -rf "$out" && mkdir -p "$out"
    valgrind --tool=callgrind --callgrind-out-file="$out/cg.%p" "$@" >/dev/null 2>&1 || true
    local first
    first=$(ls "$out" | sort -t. -k2 -n | head -n1)
    sed -n 's/^summary: //p; s/^totals: //p' "$out/$first" | head -n1
}

# One run: "cpu_us peak_kb wall_us".
run_once() {
    local start end report
    start=$(date +%s%N)
    report=$("$@" 2>&1 >/dev/null)
    end=$(date +%s%N)
    echo "$(sed -n 's/^cpu_us=//p' <<<"$report") $(sed -n 's/^peak_kb=//p' <<<"$report")" \
         "$(( (end - start) / 1000 ))"
}

median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
column() { cut -d' ' -f"$1" "$2" | median; }

a_ir=$(instructions "$starfold")
b_ir=$(instructions "$floor")

: > "$work/a"; : > "$work/b"
for _ in $(seq "$pairs"); do
    run_once "$starfold" >> "$work/a"
    run_once "$floor" >> "$work/b"
done

printf 'Start-up to first paint: starfold against the window with one label\n'
printf '(instructions by callgrind; the rest medians of %d alternated runs)\n' "$pairs"
missed=0
row() { # label, ours, floor's, unit, scale, target ("" for none)
    awk -v l="$1" -v a="$2" -v b="$3" -v u="$4" -v s="$5" -v t="$6" 'BEGIN {
        r = a / b
        verdict = t == "" ? "" : (r <= t ? "met" : "MISSED")
        target = t == "" ? "(no target)" : sprintf("<= %.2fx", t)
        printf "%-30s %9.1f %-2s %9.1f %-2s %7.3fx %12s %s\n", l, a / s, u, b / s, u, r, target, verdict
        exit verdict == "MISSED"
    }' || missed=1
}
printf '%-30s %12s %12s %8s %12s\n' measure starfold "label floor" ratio target
row "instructions" "$a_ir" "$b_ir" M 1e6 1.37
row "CPU time (user + system)" "$(column 1 "$work/a")" "$(column 1 "$work/b")" ms 1e3 1.37
row "peak resident memory" "$(column 2 "$work/a")" "$(column 2 "$work/b")" MB 1024 1.10
row "wall time" "$(column 3 "$work/a")" "$(column 3 "$work/b")" ms 1e3 ""
exit "$missed"
