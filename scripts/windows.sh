#!/bin/sh
# Builds the game for 64-bit Windows on this Debian machine: the portable
# folder build-win/Toran2000 zipped as build-win/Toran2000-5.0-win64.zip and
# the installer build-win/Toran2000-5.0-setup.exe.
#
# Qt (qtbase) and shapelib's dBASE reader are cross-built once from Debian's
# own source packages and kept in ${XDG_CACHE_HOME:-$HOME/.cache}/toran2000,
# in a folder named after what was built and how, so later runs take minutes.
#
#   sh scripts/windows.sh              the toolchain if missing, then the game
#   sh scripts/windows.sh --toolchain  only the toolchain
#   sh scripts/windows.sh --test       the game, then its tests under Wine
#   sh scripts/windows.sh --cached     succeeds when the toolchain is built
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
mode=${1:-build}
jobs=$(nproc)

if [ "$mode" = --cached ]; then
    command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || exit 1
else
    sh scripts/deps.sh windows
fi

cache=${XDG_CACHE_HOME:-$HOME/.cache}/toran2000
mingw_version=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)

# Qt as Debian ships it (its patches applied), without what the game does not
# use. DirectWrite 3 stays on; Direct2D is off, and two lines of the windows
# platform plugin that assume both are guarded to build without it.
qt_source=qt6-base
qt_version=6.4.2+dfsg-10
qt_configure="-release -shared -qt-host-path /usr -xplatform win32-g++
 -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-openssl -no-schannel -no-zstd
 -no-libjpeg -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre -no-feature-sql
 -no-feature-printsupport -no-feature-concurrent -no-feature-xml -no-feature-vulkan
 -no-feature-tabletevent -no-feature-direct2d -no-feature-tuiotouch"
qt_patch='s/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/'
qt_patched=src/plugins/platforms/windows/qwindowsintegration.cpp

# shapelib's dBASE file (dbfopen.c) as Debian's gdal source carries it: the
# shapelib source package itself is not on Debian's mirrors.
shp_source=gdal
shp_version=3.6.2+dfsg-1
shp_dir=ogr/ogrsf_frmts/shape

key() {
    printf '%s\n' "$@" "$mingw_version" | cat - cmake/mingw-w64.cmake | sha256sum | cut -c1-12
}
qt_prefix=$cache/qt-$qt_version-mingw64-$(key "$qt_configure" "$qt_patch")
shp_prefix=$cache/shapelib-$shp_version-mingw64-$(key "$shp_dir" packaging/windows/shapelib/CMakeLists.txt \
    "$(cat packaging/windows/shapelib/CMakeLists.txt packaging/windows/shapelib/safileio.c)")

# Fetches and unpacks a Debian source package into $work/NAME through a
# private list of sources: the system's own lists are left as they are.
fetch_source() {
    apt_dir=$work/apt
    mkdir -p "$apt_dir/lists/partial"
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$apt_dir/src.sources" 2>/dev/null ||
        printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            > "$apt_dir/src.sources"
    apt_opts="-o Dir::Etc::SourceList=$apt_dir/src.sources -o Dir::Etc::SourceParts=/dev/null -o Dir::State::Lists=$apt_dir/lists"
    [ -f "$apt_dir/updated" ] || { apt-get $apt_opts -qq update && touch "$apt_dir/updated"; }
    (cd "$work" && apt-get $apt_opts -qq source --download-only "$1=$2" &&
        dpkg-source -x "${1}_${2#*:}.dsc" "$1" >/dev/null)
}

build_qt() {
    [ -f "$qt_prefix/.complete" ] && return 0
    echo "Building Qt $qt_version for Windows into $qt_prefix (about an hour on 2 cores, once)"
    start=$(date +%s)
    fetch_source $qt_source $qt_version
    sed -i "$qt_patch" "$work/$qt_source/$qt_patched"
    rm -rf "$qt_prefix" "$work/qt-build"
    mkdir -p "$work/qt-build"
    (cd "$work/qt-build" && "$work/$qt_source/configure" -prefix "$qt_prefix" $qt_configure -- -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake > "$work/qt-configure.log" 2>&1 ||
        { tail -40 "$work/qt-configure.log"; exit 1; })
    cmake --build "$work/qt-build" --parallel "$jobs"
    cmake --install "$work/qt-build" > /dev/null
    touch "$qt_prefix/.complete"
    echo "Qt for Windows built in $(( $(date +%s) - start )) s"
}

build_shapelib() {
    [ -f "$shp_prefix/.complete" ] && return 0
    echo "Building shapelib's dBASE file for Windows into $shp_prefix"
    fetch_source $shp_source $shp_version
    rm -rf "$shp_prefix" "$work/shp-build"
    cmake -S packaging/windows/shapelib -B "$work/shp-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DSHAPELIB_SOURCE="$work/$shp_source/$shp_dir" -DCMAKE_INSTALL_PREFIX="$shp_prefix" > /dev/null
    cmake --build "$work/shp-build" > /dev/null
    cmake --install "$work/shp-build" > /dev/null
    touch "$shp_prefix/.complete"
}

toolchain() {
    if [ ! -f "$qt_prefix/.complete" ] || [ ! -f "$shp_prefix/.complete" ]; then
        mkdir -p "$cache"
        work=$(mktemp -d "$cache/work.XXXXXX")
        trap 'rm -rf "$work"' EXIT
        build_shapelib
        build_qt
        rm -rf "$work"
        trap - EXIT
    fi
}

if [ "$mode" = --cached ]; then
    [ -f "$qt_prefix/.complete" ] && [ -f "$shp_prefix/.complete" ]
    exit
fi
toolchain
[ "$mode" = --toolchain ] && exit 0

# The game. Its generators of pictures, sounds and the empty table run at
# build time, so they are built for this machine first, in a tree of their
# own with the settings of the Linux build: their files are the same.
. scripts/configure.sh
out=build-win
version=$(sed -n 's/^project(Toran2000 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
start=$(date +%s)
# Neither precompiled headers nor unity builds, nor debug information for
# the tools (the optimisation of the Linux build without -g): all of them
# hold this checkout's paths, so that the compiler cache could not serve
# another checkout.
plain="-DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON -DTORAN_UNITY=OFF"
configure "$out/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG" \
    -DBUILD_TESTING=OFF $plain > /dev/null
cmake --build "$out/host" -j"$jobs" --target toran_soundgen toran_artgen toran_mktable
configure "$out/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON $plain \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
    -DSHAPELIB_INCLUDE_DIR="$shp_prefix/include" -DSHAPELIB_LIBRARY="$shp_prefix/lib/libshp.a" \
    -DTORAN_HOST_TOOLS="$top/$out/host/tools" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$top/tests/wine/with-wine.sh" \
    -DTORAN_WINDOWS_PACKAGES="$top/$out" \
    -DTORAN_QT_SOURCE=$qt_source -DTORAN_QT_VERSION=$qt_version "-DTORAN_QT_CONFIGURE=$(echo $qt_configure)" \
    "-DTORAN_QT_PATCH=$qt_patch" -DTORAN_QT_PATCHED=$qt_patched > /dev/null
cmake --build "$out/build" -j"$jobs"

# The portable folder, zipped with the folder at its top, and the installer.
rm -rf "$out/Toran2000" "$out/Toran2000-$version-win64.zip" "$out/cpack"
cmake --install "$out/build" --prefix "$out/Toran2000" --strip > /dev/null
(cd "$out" && zip -qr9 "Toran2000-$version-win64.zip" Toran2000)
cpack --config "$out/build/CPackConfig.cmake" -B "$out/cpack" > "$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
mv "$out/cpack/Toran2000-$version-setup.exe" "$out/"
rm -rf "$out/cpack"
echo "Windows build in $(( $(date +%s) - start )) s: $out/Toran2000/, $out/Toran2000-$version-win64.zip," \
    "$out/Toran2000-$version-setup.exe"

if [ "$mode" = --test ]; then
    start=$(date +%s)
    (cd "$out/build" && ctest --output-on-failure -j"$jobs")
    echo "Windows tests under Wine in $(( $(date +%s) - start )) s"
fi
