#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts Qt for Windows (MinGW-w64, x86-64) at PREFIX: unpacked from ARCHIVE after checking it
# against ARCHIVE.sha256, or, when there is no archive, built from Debian's source by
# build-qt-mingw.sh (about an hour of two cores).
#
#   scripts/qt-mingw.sh ARCHIVE PREFIX
set -euo pipefail
archive=$1
prefix=$2
parent=$(dirname "$prefix")
mkdir -p "$parent"
rm -rf "$prefix"

if [[ -f $archive ]]; then
    echo "Unpacking $archive"
    (cd "$(dirname "$archive")" && sha256sum --quiet --strict -c "$(basename "$archive").sha256")
    # Unpacked aside and moved into place, so an interrupted unpack is never taken for Qt.
    unpacked=$(mktemp -d "$parent/qt-unpack.XXXXXX")
    tar -C "$unpacked" -xJf "$archive"
    mv "$unpacked"/* "$prefix"
    rmdir "$unpacked"
else
    echo "No $archive: building Qt for Windows from source (about an hour)"
    WORK="$parent/qt-mingw-build" PREFIX="$prefix" "$(dirname "$0")/build-qt-mingw.sh"
fi
touch "$prefix/.complete"
