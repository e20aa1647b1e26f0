#!/bin/sh
# Builds everything and runs every test (widget tests offscreen, on-screen
# tests under their own Xvfb), builds the Debian package and checks it with
# lintian, then builds the libraries and the suites that run without a
# display again with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# those there; last the Windows build and its tests under Wine, where its
# toolchain is built (sh scripts/windows.sh --toolchain).
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
. scripts/configure.sh
jobs=$(nproc)

configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

# The Debian package, built again with its own layout and hardening (the
# compiler cache serves it after the first run) and checked with lintian.
sh scripts/package.sh

# The sanitizers slow the programs down too much for the paced on-screen
# tests, and the fuzzer builds its own sanitized reader: the sanitized build
# leaves both out (tests/CMakeLists.txt marks what it builds). It is built
# with clang (installed for the fuzzer), which builds it in about half the
# time and checks the code with a second compiler.
configure build-asan -DCMAKE_BUILD_TYPE=Debug -DTORAN_SANITIZE=ON -DBUILD_TESTING=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-asan -j"$jobs"
cd build-asan
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure -j"$jobs" -LE onscreen
cd ..

# The Windows build, its installer and zip, and their tests under Wine.
if sh scripts/windows.sh --cached; then
    sh scripts/windows.sh --test
else
    echo "Windows build skipped: its toolchain is not built yet (sh scripts/windows.sh --toolchain, about an hour once)."
fi
