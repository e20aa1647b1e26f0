#!/bin/sh
# Builds everything and runs every test (widget tests offscreen, on-screen
# tests under their own Xvfb), then runs the suite again in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j2)

# The sanitizers slow the programs down too much for the paced on-screen
# tests and the fuzzer builds its own sanitized reader, so those two stay
# with the plain build.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTORAN_SANITIZE=ON
cmake --build build-asan -j"$jobs"
cd build-asan
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure -j2 -LE onscreen -E fuzz
