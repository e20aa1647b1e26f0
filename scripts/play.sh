#!/bin/sh
# Builds the game, lays it out as a portable directory in ./dist and starts it.
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
cmake --install build --prefix dist
exec ./dist/Toran2000
