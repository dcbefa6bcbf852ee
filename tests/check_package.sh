#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a finished build and checks what a user would install: the
# exact file list, the dependencies, a stripped binary without RUNPATH that answers --version
# with no display, a valid desktop entry and metainfo with its content rating, and no lintian
# tag, pedantic ones included.
# Usage: check_package.sh BUILD_DIR WORK_DIR VERSION APP_ID
set -euo pipefail
build=$1 work=$2 version=$3 id=$4

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/starfold_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $deb"
[[ $(dpkg-deb -f "$deb" Package) == starfold ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "version"
root=$work/root
dpkg-deb -x "$deb" "$root"

icons=usr/share/icons/hicolor
expected=$(sort <<EOT
usr/bin/starfold
usr/lib/starfold/plugins/libstarfold_print.so
usr/share/applications/$id.desktop
usr/share/doc/starfold/changelog.gz
usr/share/doc/starfold/copyright
usr/share/man/man1/starfold.1.gz
usr/share/metainfo/$id.metainfo.xml
$icons/scalable/apps/$id.svg
$(for size in 16 24 32 48 64 128 256; do echo "$icons/${size}x$size/apps/$id.png"; done)
EOT
)
actual=$(cd "$root" && find . ! -type d | sed 's|^\./||' | sort)
diff <(echo "$expected") <(echo "$actual") || fail "file list (expected < > packaged)"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-dejavu-core; do
    [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] \
        || fail "Depends lacks $needed: $depends"
done

binary=$root/usr/bin/starfold
for elf in "$binary" "$root/usr/lib/starfold/plugins/libstarfold_print.so"; do
    ! readelf -d "$elf" | grep -E 'RPATH|RUNPATH' || fail "$elf carries a run path"
    ! readelf -S "$elf" | grep -E '\.symtab|\.debug_' >/dev/null || fail "$elf is not stripped"
done
[[ $(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" --version) \
   == "Starfold $version" ]] || fail "the packaged binary's --version"

desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry"
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net --strict "$metainfo" || fail "metainfo"
# What software centres warn of: adverts, paid offers, the names and addresses the form sends.
for rating in money-advertising=intense money-purchasing=mild social-{info,contacts}=intense; do
    grep -q "<content_attribute id=\"${rating%=*}\">${rating#*=}</content_attribute>" "$metainfo" \
        || fail "metainfo lacks the content rating $rating"
done
lintian -I --pedantic --fail-on error,warning,info,pedantic "$deb" | tee "$work/lintian.log" \
    || fail "lintian"
echo "$deb passes"
