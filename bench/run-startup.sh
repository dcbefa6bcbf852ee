#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the real program, as users start it, against the toolkit's floor for a window
# with words (bench/startup_floor.cpp), each measured from exec until its window is mapped,
# painted and idle, on a private X server: instructions counted by callgrind, and the private
# memory (Private_Dirty) it then holds, the median of RUNS alternated runs (A B A B ...,
# RUNS=7 by default). Prints each ratio beside its target and fails when one is missed.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=${BUILD:-$root/build-bench}
runs=${RUNS:-7}

if [[ ! -x $build/starfold || ! -x $build/bench/startup_floor || ${REBUILD:-1} == 1 ]]; then
    "$root/scripts/install-deps.sh" --bench >&2
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DSTARFOLD_BENCHMARKS=ON \
          -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" -j "$(nproc)" --target starfold startup_floor >&2
fi
work=$(mktemp -d)
cleanup() {
    [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null || true
    [[ -n ${xpid:-} ]] && kill "$xpid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Fresh copies, as an installed program would be: the linker's own output can sit in the
# page cache in blocks that are mapped whole at the first touch. Written to disk before they
# run: pages of a file not yet written back count as the program's own dirty memory.
cp "$build/starfold" "$build/bench/startup_floor" "$work/"
starfold=$work/starfold
floor=$work/startup_floor
sync "$starfold" "$floor"

# A private X server, so no other window is there to be found; on the display number
# BENCH_DISPLAY where given, else on the first one free.
exec 3<> "$work/displayfd"
Xvfb ${BENCH_DISPLAY:+:$BENCH_DISPLAY} -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    >/dev/null 2>&1 &
xpid=$!
for _ in $(seq 600); do [[ -s $work/displayfd ]] && break; sleep 0.05; done
display=:$(head -n1 "$work/displayfd")
[[ $display != : ]] || { echo "Xvfb did not start" >&2; exit 1; }
mkdir -p "$work/home" "$work/run" && chmod 700 "$work/run"

# Runs a program in the background, as a desktop session would start it, with no session bus
# (Qt would otherwise try to start one, in both programs alike).
start() {
    env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" DISPLAY="$display" \
        QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" LANG=C.UTF-8 \
        "$@" >/dev/null 2>&1 &
    pid=$!
}
mapped() { DISPLAY=$display timeout 180 xdotool search --sync --onlyvisible --name . >/dev/null; }
stop() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; pid=; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Waits until the process has used no processor time for a second: painted and idle.
settle() {
    local before now quiet=0
    before=$(cpu_ticks "$1")
    while ((quiet < 4)); do
        sleep 0.25
        now=$(cpu_ticks "$1")
        if [[ $now == "$before" ]]; then quiet=$((quiet + 1)); else quiet=0; fi
        before=$now
    done
}

# Instructions from exec until mapped, painted and idle. Each dump resets callgrind's
# counters, so the count is the sum of the dumps, taken until one adds less than 0.2 %.
instructions() {
    rm -rf "$work/cg" && mkdir "$work/cg"
    start valgrind --tool=callgrind --callgrind-out-file="$work/cg/cg.%p" "$1"
    mapped
    local total=0 previous=-1
    for _ in $(seq 30); do
        sleep 2
        callgrind_control -d "$pid" >/dev/null 2>&1 || true
        sleep 0.5
        total=$(for f in "$work"/cg/cg.*; do sed -n 's/^summary: //p; s/^totals: //p' "$f" | head -n1; done |
                awk '{s += $1} END {print s + 0}')
        awk -v a="$total" -v b="$previous" 'BEGIN {exit !(b >= 0 && a - b < 0.002 * b)}' && break
        previous=$total
    done
    stop
    echo "$total"
}

# Private dirty memory, in kB, once the window is mapped, painted and idle.
private_kb() {
    start "$1"
    mapped
    settle "$pid"
    awk '/^Private_Dirty:/ {print $2}' "/proc/$pid/smaps_rollup"
    stop
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }

# One start first, so the measured ones are ordinary starts, not the first run.
start "$starfold"; mapped; stop

a_ir=$(instructions "$starfold")
b_ir=$(instructions "$floor")
: > "$work/a"; : > "$work/b"
for _ in $(seq "$runs"); do
    private_kb "$starfold" >> "$work/a"
    private_kb "$floor" >> "$work/b"
done

printf 'Start-up of starfold until its window is mapped, painted and idle, against the window with one label\n'
printf '(instructions by callgrind; private memory the median of %d alternated runs)\n' "$runs"
missed=0
row() { # label, ours, floor's, unit, scale, target
    awk -v l="$1" -v a="$2" -v b="$3" -v u="$4" -v s="$5" -v t="$6" 'BEGIN {
        r = a / b
        verdict = r <= t ? "met" : "MISSED"
        printf "%-32s %9.1f %-2s %9.1f %-2s %7.3fx %10s %s\n", l, a / s, u, b / s, u, r, sprintf("<= %.2fx", t), verdict
        exit verdict == "MISSED"
    }' || missed=1
}
printf '%-32s %12s %12s %8s %10s\n' measure starfold "label floor" ratio target
row "instructions" "$a_ir" "$b_ir" M 1e6 1.30
row "private memory (Private_Dirty)" "$(median < "$work/a")" "$(median < "$work/b")" kB 1 1.15
exit "$missed"
