#!/bin/sh
# Start-up time (process start to the main window's first paint) and peak
# memory of Toran2000 against a bare Qt window, in one run, under a private
# Xvfb. Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$here/../tests/support/with-xvfb.sh" sh "$0" "$@"
fi
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-10}
app=$(mktemp -d)
trap 'rm -rf "$app"' EXIT
cmake --install "$build" --prefix "$app" >/dev/null
# Neither animation nor assistant: the window as it first appears.
printf '[Nastaveni]\r\nAnimace=0\r\n' >"$app/Toran2000.ini"

measure() { # program -> "ms kB" averaged over the runs
    total_ms=0 total_kb=0 i=0
    while [ $i -lt "$runs" ]; do
        start=$(date +%s%3N)
        out=$(TORAN2000_QUIT_WHEN_SHOWN=1 "$1" 2>/dev/null | grep '^shown ' | tail -n 1)
        [ -n "$out" ] || { echo "bench: $1 reported nothing" >&2; exit 1; }
        shown=$(echo "$out" | cut -d' ' -f2)
        kb=$(echo "$out" | cut -d' ' -f3)
        total_ms=$((total_ms + shown - start))
        total_kb=$((total_kb + kb))
        i=$((i + 1))
    done
    echo "$((total_ms / runs)) $((total_kb / runs))"
}

run() {
    game=$(measure "$app/Toran2000")
    bare=$(measure "$build/bench/bare_window")
    set -- $game $bare
    echo "Toran2000:   $1 ms to the first paint, peak memory $2 kB (mean of $runs runs)"
    echo "bare window: $3 ms to the first paint, peak memory $4 kB"
    awk -v a="$1" -v b="$3" -v c="$2" -v d="$4" 'BEGIN { printf "ratios: time %.2f, memory %.2f\n", a / b, c / d }'
}

run
