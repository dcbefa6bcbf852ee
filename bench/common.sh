# SPDX-License-Identifier: GPL-3.0-or-later
# Set-up of the start-up script: the build, a private X server and a home of its own.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=${BUILD:-$root/build-bench}

if [[ ! -x $build/bench/startup_starfold || ${REBUILD:-1} == 1 ]]; then
    "$root/scripts/install-deps.sh" --bench >&2
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DSTARFOLD_BENCHMARKS=ON \
          -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" -j "$(nproc)" --target startup_starfold startup_floor >&2
fi
work=$(mktemp -d)
cleanup() {
    [[ -n ${xpid:-} ]] && kill "$xpid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Fresh copies, as an installed program would be. The linker's own output can sit in the
# page cache in large blocks that are mapped whole at the first touch, which would count
# pictures the program never reads (its artwork for denser screens) in its resident memory.
cp "$build/bench/startup_starfold" "$build/bench/startup_floor" "$work/"
starfold=$work/startup_starfold
floor=$work/startup_floor

# A real X server (Xvfb), as a desktop session would have, unless one is given.
if [[ -z ${DISPLAY:-} ]]; then
    exec 3<> "$work/displayfd"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xpid=$!
    for _ in $(seq 100); do [[ -s $work/displayfd ]] && break; sleep 0.05; done
    export DISPLAY=:$(head -n1 "$work/displayfd")
fi
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
# No session bus: Qt would otherwise try to start one, in both programs alike.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# One start first, so the timed ones are ordinary starts, not the first run.
"$starfold" 2>/dev/null || true
