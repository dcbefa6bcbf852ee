#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots the AppStream metainfo shows, from a finished build, on a virtual
# screen with a home of its own: the main window on a topic, and the report window. They
# are then put on the maker's server under /starfold/screenshots/.
# Usage: take-screenshots.sh BUILD_DIR OUT_DIR   (needs xvfb, xauth, openbox, xdotool,
# imagemagick and faketime: scripts/install-deps.sh --screenshots)
set -euo pipefail
build=$(realpath "$1") out=$(realpath -m "$2")

if [[ -z ${STARFOLD_ON_XVFB:-} ]]; then
    exec env STARFOLD_ON_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

home=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$home"' EXIT
mkdir -p "$out" "$home/run"
chmod 700 "$home/run"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/run QT_QPA_PLATFORM=xcb
openbox &
sleep 1
# The main window shows an offer drawn with the clock as its seed, so the program runs with
# its wall clock stopped at the commit's time: every run takes the same pictures.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$(dirname "$0")" log -1 --format=%ct)}
TZ=UTC faketime -m --exclude-monotonic -f "$(date -u -d "@$epoch" "+%Y-%m-%d %H:%M:%S")" \
    "$build/starfold" &

caption="^Starfold v[0-9.]+\$"
# ImageMagick dates a PNG (tIME and two date texts); the screenshots carry no time.
undated=(-define png:exclude-chunks=date,time)
main=$(xdotool search --sync --onlyvisible --name "$caption" | head -1)
xdotool windowactivate --sync "$main"
sleep 1
# The topic list has the focus; two steps down is "General Traits", a page of prose.
xdotool key --window "$main" Down Down
sleep 1
import -window "$main" "${undated[@]}" "$out/main-window.png"

xdotool key --window "$main" alt+s
for _ in $(seq 50); do
    report=$(xdotool search --onlyvisible --name "$caption" | grep -vx "$main" | head -1 || true)
    [[ -n $report ]] && break
    sleep 0.2
done
[[ -n $report ]] || { echo "the report window did not open" >&2; exit 1; }
# The focus moves on to Save, so no blinking caret is caught half the time.
xdotool key --window "$report" Tab
sleep 1
import -window "$report" "${undated[@]}" "$out/report.png"
echo "screenshots in $out"
