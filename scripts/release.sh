#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the release of the current commit, the Debian package and the Windows installer, from
# a clean clone, and writes both with SHA256SUMS into OUT. It builds them a second time from
# another clone in another folder, with the clock moved 400 days on, another umask, time zone
# and locale, and without ccache, and fails unless both builds give the same bytes.
#
#   scripts/release.sh OUT      (QT_MINGW_ARCHIVE: Qt for Windows, as for `make windows`)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "$1")
archive=$(realpath "${QT_MINGW_ARCHIVE:-../shared/win/qt6-mingw-6.4.2-x86_64.tar.xz}")
jobs=${JOBS:-$(nproc)}

commit=$(git rev-parse HEAD)
if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
    echo "Uncommitted changes are left out: the release is built from commit $commit."
fi
# rcc, the MinGW linker, CPack and the installer's file dates all take the commit's time.
export SOURCE_DATE_EPOCH=$(git log -1 --format=%ct "$commit")
# Without a base folder ccache hands the compiler the command line it was given, so a build
# here gives what a build without ccache gives.
export CCACHE_BASEDIR=

rm -rf "$out"
mkdir -p "$out"
packages=(build/starfold_*.deb build-windows/Starfold-*-win64.exe)

# build FOLDER [COMMAND...]: clones the commit into FOLDER and makes both packages there,
# through COMMAND (env, faketime) when given.
build() {
    local dir=$1
    shift
    echo "Building $commit in $dir"
    git clone -q --no-hardlinks . "$dir"
    git -C "$dir" checkout -q --detach "$commit"
    "$@" make -C "$dir" package windows JOBS="$jobs" QT_MINGW_ARCHIVE="$archive" >"$dir.log" 2>&1 ||
        { tail -30 "$dir.log"; echo "The build in $dir failed; its log is $dir.log" >&2; exit 1; }
}
(umask 022 && build "$out/a" env LC_ALL=C.UTF-8 TZ=UTC)
(umask 077 && build "$out/check/second-clone" env CCACHE_DISABLE=1 LC_ALL=C TZ=Pacific/Chatham \
                    faketime -m -f +400d)

status=0
for pattern in "${packages[@]}"; do
    first=$(echo "$out"/a/$pattern)
    second=$(echo "$out"/check/second-clone/$pattern)
    name=$(basename "$first")
    if cmp -s "$first" "$second"; then
        cp "$first" "$out/"
        echo "$name: the same bytes from both builds"
        continue
    fi
    status=1
    echo "$name differs between the two builds" >&2
    if command -v diffoscope >/dev/null; then
        diffoscope --text "$out/$name.diffoscope.txt" "$first" "$second" >/dev/null || true
        echo "  what differs: $out/$name.diffoscope.txt" >&2
    else
        echo "  diffoscope shows what differs: diffoscope $first $second" >&2
    fi
done
((status == 0)) || exit 1
(cd "$out" && sha256sum -- *.deb *.exe >SHA256SUMS && cat SHA256SUMS)
