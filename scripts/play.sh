#!/bin/sh
# Builds the game (no tests), lays it out as a portable directory in ./dist
# and starts it.
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
. scripts/configure.sh
configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build build -j"$(nproc)"
cmake --install build --prefix dist
exec ./dist/Toran2000
