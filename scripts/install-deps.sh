#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, with apt-get, whatever the build still lacks; --package adds what building the
# Debian package needs, --test the test tools (the package's checks among them), --bench the
# benchmark tools, --screenshots what packaging/take-screenshots.sh needs,
# --windows the cross compiler, Wine and NSIS for the Windows build, --release all that both
# packages need plus faketime for the release's second build and osslsigncode for signing.
set -euo pipefail

packages=(build-essential cmake qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core)
package_tools=(dpkg-dev file)
if [[ "${1:-}" == "--package" ]]; then
    packages+=("${package_tools[@]}")
fi
if [[ "${1:-}" == "--test" ]]; then
    packages+=(unrtf libreoffice-writer-nogui poppler-utils cups printer-driver-cups-pdf cups-client
               cups-bsd libfaketime xvfb xauth)
    packages+=("${package_tools[@]}" desktop-file-utils appstream lintian)
fi
if [[ "${1:-}" == "--screenshots" ]]; then
    packages+=(xvfb xauth openbox xdotool imagemagick faketime qt6-gtk-platformtheme)
fi
# The host Qt's moc, rcc and uic serve the cross build; the host Qt and Qt Svg build the
# artwork tools, which run here.
windows_tools=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 qt6-base-dev-tools wine64 nsis
               xz-utils xvfb xauth)
if [[ "${1:-}" == "--windows" ]]; then
    packages+=("${windows_tools[@]}")
fi
if [[ "${1:-}" == "--release" ]]; then
    packages+=("${package_tools[@]}" "${windows_tools[@]}" git faketime osslsigncode)
fi
if [[ "${1:-}" == "--bench" ]]; then
    packages+=(libbenchmark-dev valgrind xvfb xdotool)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
((${#missing[@]} == 0)) && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
