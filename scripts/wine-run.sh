#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine in a private prefix, which the first run makes:
#
#   scripts/wine-run.sh PREFIX DLL_FOLDERS PROGRAM [ARGUMENT...]
#
# DLL_FOLDERS, separated by colons, are searched for the DLLs the program loads. Wine hands
# a Windows program no variable whose name starts with QT_, so each goes as WINEQT_...; a
# program with no console writes Qt's messages only where it is told to; and Qt's offscreen
# plug-in finds no fonts on Windows unless it is shown a folder of them.
set -euo pipefail
prefix=$1
dll_folders=$2
shift 2

wine=/usr/lib/wine/wine64
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# Made once, by whichever run comes first; a home of its own keeps wineboot from linking the
# prefix's Documents and Desktop to the real user's.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [[ ! -f $prefix/system.reg ]]; then
    mkdir -p "$prefix.home"
    HOME=$prefix.home "$wine" wineboot -i >/dev/null 2>&1
    HOME=$prefix.home "${wine%/*}/wineserver" -w || true
fi
flock -u 9
exec 9>&-

while IFS= read -r name; do
    export "WINE$name=${!name}"
done < <(compgen -e | grep '^QT_' || true)
export WINEQT_FORCE_STDERR_LOGGING=1
export WINEQT_QPA_FONTDIR=${QT_QPA_FONTDIR:-/usr/share/fonts/truetype/dejavu}

path=
IFS=: read -ra folders <<< "$dll_folders"
for folder in "${folders[@]}"; do
    path+="Z:${folder//\//\\};"
done
export WINEPATH="$path${WINEPATH:-}"
exec "$wine" "$@"
