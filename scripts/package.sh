#!/bin/sh
# Builds the Debian package that installs the game for every user of the
# machine (program in /usr/lib/toran2000, command /usr/games/toran2000, menu
# entry, manual page) and checks it with lintian: any error or warning fails.
# Install it with: apt install ./build-deb/toran2000_5.0_amd64.deb
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
. scripts/configure.sh
configure build-deb -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DTORAN_PACKAGE=ON \
    -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build-deb -j"$(nproc)"
rm -f build-deb/*.deb
(cd build-deb && cpack -G DEB)
ls build-deb/*.deb
lintian --fail-on error,warning build-deb/*.deb
