#!/bin/sh
# Builds everything and runs every test (widget tests offscreen, on-screen
# tests under their own Xvfb).
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j2
