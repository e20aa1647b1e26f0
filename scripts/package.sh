#!/bin/sh
# Makes the Debian package that installs the game for every user of the
# machine (program in /usr/lib/toran2000, command /usr/games/toran2000, menu
# entry, manual page) from the build folder "build", the very binary the tests
# ran there (configured and built first where there is none), and checks it
# with lintian: any error or warning fails.
# Install it with: apt install ./build/toran2000_5.0_amd64.deb
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
. scripts/configure.sh
if [ ! -f build/CMakeCache.txt ]; then
    configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
fi
if grep -Eq '^(CMAKE_BUILD_TYPE:STRING=Debug|TORAN_SANITIZE:BOOL=ON)$' build/CMakeCache.txt; then
    echo "package: build is a debug or sanitized build; the package needs an optimised one" >&2
    exit 1
fi
cmake --build build -j"$(nproc)"
rm -f build/*.deb
(cd build && cpack -G DEB)
ls build/*.deb
lintian --fail-on error,warning build/*.deb
