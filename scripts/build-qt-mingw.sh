#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt's base module for Windows x86-64 with MinGW-w64, from Debian 12's own source of
# the very Qt version the host has (its moc, rcc and uic serve the cross build), with only
# what Starfold uses. About an hour of two cores and 6 GB of disk.
#
#   PREFIX=/where/qt/goes [WORK=folder] [JOBS=n] [ARCHIVE=qt.tar.xz] scripts/build-qt-mingw.sh
#
# Re-runnable: the source is fetched once and the build folder reused. With ARCHIVE set the
# installed tree is also packed there, for machines that should unpack rather than build.
set -euo pipefail

PREFIX=${PREFIX:?PREFIX names the folder Qt is installed to}
WORK=${WORK:-$PWD/qt-mingw-build}
JOBS=${JOBS:-$(nproc)}
QT_DEB_VERSION=6.4.2+dfsg-10
SRC=$WORK/src/qt6-base-6.4.2+dfsg
BUILD=$WORK/build
TRIPLE=x86_64-w64-mingw32
mkdir -p "$WORK/src"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
log() { printf '%s %s\n' "$(date -u +%H:%M:%S)" "$*"; }

# The posix thread model gives std::thread and its kin, which Qt 6 needs.
log "installing the tools"
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 \
    cmake ninja-build dpkg-dev xz-utils qt6-base-dev qt6-base-dev-tools
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
if [[ $host_version != "$QT_DEB_VERSION" ]]; then
    echo "the host Qt is $host_version; its tools only serve a Qt of the same version," \
         "$QT_DEB_VERSION" >&2
    exit 1
fi

if [[ ! -f $SRC/CMakeLists.txt ]]; then
    # apt-get source needs the archive's source entries; add them beside the binary ones.
    if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        log "adding Debian 12's source entries"
        printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            | "${sudo[@]}" tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
        "${sudo[@]}" apt-get update -qq
    fi
    log "fetching qt6-base $QT_DEB_VERSION"
    (cd "$WORK/src" && apt-get source -qq "qt6-base=$QT_DEB_VERSION")
fi
# With Direct2D off, Qt Gui has no DirectWrite font engine, yet print support and the windows
# plug-in ask for it; give them the condition Qt Gui itself uses (GDI then draws the text).
sed -i 's/^#if QT_CONFIG(directwrite)$/#if QT_CONFIG(directwrite) \&\& QT_CONFIG(direct2d)/' \
    "$SRC/src/printsupport/platform/windows/qprintengine_win.cpp"
sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$SRC/src/plugins/platforms/windows/qwindowsintegration.cpp"

# Inside the prefix, because Qt's own toolchain file loads it again for every project.
mkdir -p "$PREFIX/lib/cmake"
TOOLCHAIN=$PREFIX/lib/cmake/mingw-w64-x86_64.cmake
cat > "$TOOLCHAIN" <<TOOLCHAIN
# Windows x86-64 with Debian's MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER   $TRIPLE-gcc-posix)
set(CMAKE_CXX_COMPILER $TRIPLE-g++-posix)
set(CMAKE_RC_COMPILER  $TRIPLE-windres)
# Libraries and headers from the MinGW sysroot and what a project adds; programs from here.
set(CMAKE_FIND_ROOT_PATH /usr/$TRIPLE)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

log "configuring"
configure=(
    -S "$SRC" -B "$BUILD" -G Ninja
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release
    # The host's tools, whose CMake packages live in the multiarch folder.
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    # Core, Gui, Widgets, PrintSupport and Test only.
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    # The program paints with QPainter on the raster backing store: no OpenGL, no Vulkan, and
    # no Direct2D plug-in (hence the fix above).
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF
    # Windows' tablet support needs wintab.h, which neither Debian's tarball nor MinGW has.
    -DFEATURE_tabletevent=OFF
    -DFEATURE_jpeg=OFF
    # Qt's bundled copies of every third-party library, nothing from the MinGW sysroot.
    -DFEATURE_pkg_config=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_textmarkdownreader=OFF
    -DFEATURE_system_libb2=OFF
    # The offscreen plug-in, which the tests use, draws text with FreeType.
    -DFEATURE_freetype=ON
    # Not available for MinGW in Debian.
    -DFEATURE_icu=OFF -DFEATURE_zstd=OFF
    # Debian's cross patch turns this on for any cross build.
    -DFEATURE_androiddeployqt=OFF
)
nice -n 19 cmake "${configure[@]}"
log "building"
nice -n 19 cmake --build "$BUILD" --parallel "$JOBS"
rm -rf "$PREFIX"/{bin,include,lib/cmake/Qt6*,plugins}
nice -n 19 cmake --install "$BUILD" --strip

# The compiler's runtime, which Qt's DLLs and every program built with this compiler load;
# Debian ships it with its symbol tables.
for dll in /usr/lib/gcc/$TRIPLE/12-posix/libstdc++-6.dll /usr/lib/gcc/$TRIPLE/12-posix/libgcc_s_seh-1.dll \
           /usr/$TRIPLE/lib/libwinpthread-1.dll; do
    $TRIPLE-strip --strip-unneeded -o "$PREFIX/bin/$(basename "$dll")" "$dll"
done

if [[ -n ${ARCHIVE:-} ]]; then
    log "packing $ARCHIVE"
    tar -C "$(dirname "$PREFIX")" -cJf "$ARCHIVE" "$(basename "$PREFIX")"
    (cd "$(dirname "$ARCHIVE")" && sha256sum "$(basename "$ARCHIVE")" > "$ARCHIVE.sha256")
fi
log "done: $(du -sh "$PREFIX" | cut -f1) at $PREFIX"
