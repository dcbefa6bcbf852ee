#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Instructions to first paint, counted by callgrind (stable on a busy machine): the program,
# the empty main window, and the empty window with one line of text.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Instructions of the program's own process (not of helpers it may start).
count() {
    local out=$work/cg
    rm -rf "$out" && mkdir -p "$out"
    valgrind --tool=callgrind --callgrind-out-file="$out/cg.%p" "$@" >/dev/null 2>&1 || true
    local first
    first=$(ls "$out" | sort -t. -k2 -n | head -n1)
    sed -n 's/^summary: //p; s/^totals: //p' "$out/$first" | head -n1
}

a=$(count "$starfold")
b=$(count "$floor")
c=$(count "$floor" --text)
printf '%-40s %14s %8s\n' "instructions to first paint" count ratio
awk -v a="$a" -v b="$b" -v c="$c" 'BEGIN {
    printf "%-40s %14d %7.2fx\n", "starfold", a, a/b
    printf "%-40s %14d %7.2fx\n", "empty main window", b, 1
    printf "%-40s %14d %7.2fx\n", "empty main window with one label", c, c/b
    printf "%-40s %22.2fx\n", "starfold against the window with a label", a/c
}'
