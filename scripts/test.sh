#!/bin/sh
# Builds everything and runs every test (widget tests offscreen, on-screen
# tests under their own Xvfb), makes the Debian package of that same build
# and checks it with lintian, then runs the suites that need no display
# again in a build with AddressSanitizer and UndefinedBehaviorSanitizer;
# last the Windows build and its tests under Wine, where its toolchain is
# built (sh scripts/windows.sh --toolchain).
set -eu
cd "$(dirname "$0")/.."
sh scripts/deps.sh
. scripts/configure.sh
jobs=$(nproc)
# Tests run two to a processor: most of them wait on windows, sounds and
# processes, each with servers of its own; the sound tests, which measure
# cues to the millisecond (label "alone" in tests/CMakeLists.txt), run on
# their own after them, once the sanitized build below has finished too.
tests=$((jobs * 2))

# Every warning is an error here.
configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DTORAN_WERROR=ON
cmake --build build -j"$jobs"

# The sanitizers slow the programs down too much for the paced on-screen
# tests, and the fuzzer builds its own sanitized reader: the sanitized build
# leaves both out (tests/CMakeLists.txt marks what it builds). It is built
# with clang (installed for the fuzzer), which builds it in about half the
# time and checks the code with a second compiler. It compiles at the
# lowest priority while the tests below run: they mostly wait on windows,
# sounds and processes, and it takes only the time they leave, never their
# pace. Its output, warnings included, follows the tests'.
mkdir -p build-asan
setsid nice -n 19 sh -c '. scripts/configure.sh
    configure build-asan -DCMAKE_BUILD_TYPE=Debug -DTORAN_SANITIZE=ON -DBUILD_TESTING=ON -DTORAN_WERROR=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ &&
    cmake --build build-asan -j"$1"' sh "$jobs" >build-asan/build.log 2>&1 &
sanitized=$!
trap 'kill -TERM -"$sanitized" 2>/dev/null || true' EXIT

(cd build && ctest --output-on-failure -j"$tests" -LE alone)

# The Debian package of the binary the tests ran, checked with lintian.
sh scripts/package.sh

status=0
wait "$sanitized" || status=$?
cat build-asan/build.log
[ "$status" -eq 0 ]
# The cue-timing tests, with nothing else of this command running.
(cd build && ctest --output-on-failure -L alone)
cd build-asan
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure -j"$tests" -LE onscreen
cd ..

# The Windows build, its installer and zip, and their tests under Wine.
if sh scripts/windows.sh --cached; then
    sh scripts/windows.sh --test
else
    echo "Windows build skipped: its toolchain is not built yet (sh scripts/windows.sh --toolchain, about an hour once)."
fi
