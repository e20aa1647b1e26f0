#!/bin/sh
# Start-up of installed Toran2000 directories against a bare Qt window, in
# one run under a private Xvfb: time from process start to the splash's
# first paint and to the main window's first paint, and the peak memory at
# that moment. The programs take turns run after run, so that a load on the
# machine falls on all of them alike; the table gives medians.
#
# Usage: bench/startup.sh [-n RUNS] [-B BUILD] [-b BARE_WINDOW] [-t TIMES] [-m TIMES] [DIR...]
#   DIR          an installed program directory (cmake --install BUILD --prefix DIR);
#                without one, the build directory BUILD (default ./build) is
#                installed and measured
#   BARE_WINDOW  the bare window program (default: BUILD/bench/bare_window)
#   -t, -m       fail where a program's main window takes more than TIMES
#                the bare window's time (-t), or its memory more than TIMES
#                the bare window's (-m)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$here/../tests/support/with-xvfb.sh" sh "$0" "$@"
fi
runs=11
build="$here/../build"
bare=""
max_time="" max_memory=""
while getopts n:B:b:t:m: option; do
    case $option in
    n) runs=$OPTARG ;;
    B) build=$OPTARG ;;
    b) bare=$OPTARG ;;
    t) max_time=$OPTARG ;;
    m) max_memory=$OPTARG ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
bare=${bare:-$build/bench/bare_window}
[ -x "$bare" ] || { echo "bench: no bare window program at $bare" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ $# -eq 0 ]; then
    cmake --install "$build" --prefix "$scratch/build" >/dev/null
    set -- "$scratch/build"
fi

# Each program runs from a copy of its directory with a home of its own:
# neither animation nor assistant nor welcome, the window as it first appears.
names="" i=0
for dir in "$@"; do
    i=$((i + 1))
    [ -x "$dir/Toran2000" ] || { echo "bench: no Toran2000 in $dir" >&2; exit 1; }
    cp -r "$dir" "$scratch/app$i"
    printf '[Nastaveni]\r\nAnimace=0\r\n' >"$scratch/app$i/Toran2000.ini"
    printf '[Nastaveni]\r\nPomocnik=0\r\nUvitani=0\r\n' >"$scratch/app$i/KQ2000.ini"
    names="$names $i"
done
mkdir -p "$scratch/home" "$scratch/run"
chmod 700 "$scratch/run"

# One start: appends "splash-ms shown-ms peak-kB" (splash "-" if not reported).
once() { # program result-file
    start=$(date +%s%3N)
    out=$(HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" TORAN2000_QUIT_WHEN_SHOWN=1 "$1" 2>/dev/null) || true
    echo "$out" | awk -v start="$start" -v file="$1" '
        $1 == "splash" { splash = $2 - start }
        $1 == "shown" { shown = $2 - start; kb = $3 }
        END {
            if (shown == "") { print "bench: " file " reported nothing" > "/dev/stderr"; exit 1 }
            print (splash == "" ? "-" : splash), shown, kb
        }' >>"$2"
}

r=0
while [ $r -lt "$runs" ]; do
    once "$bare" "$scratch/bare.txt"
    for i in $names; do
        once "$scratch/app$i/Toran2000" "$scratch/app$i.txt"
    done
    r=$((r + 1))
done

median() { # file column
    awk -v c="$2" '$c != "-" { print $c }' "$1" | sort -n | awk '{ v[NR] = $1 } END {
        if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
bare_ms=$(median "$scratch/bare.txt" 2)
bare_kb=$(median "$scratch/bare.txt" 3)

echo "Median of $runs starts each, taking turns; times from process start, in ms; peak resident memory in MiB."
echo "The bare window's first paint is the yardstick for both the splash and the main window."
printf '%-28s %8s %7s %8s %7s %9s %7s\n' program splash "×bare" "main" "×bare" memory "×bare"
awk -v ms="$bare_ms" -v kb="$bare_kb" 'BEGIN {
    printf "%-28s %8s %7s %8d %7s %9.1f %7s\n", "bare window", "-", "-", ms, "1.00", kb / 1024, "1.00" }'
i=0 status=0
for dir in "$@"; do
    i=$((i + 1))
    splash=$(median "$scratch/app$i.txt" 1)
    shown=$(median "$scratch/app$i.txt" 2)
    kb=$(median "$scratch/app$i.txt" 3)
    label=$(basename "$dir")
    awk -v label="$label" -v s="$splash" -v m="$shown" -v k="$kb" -v bm="$bare_ms" -v bk="$bare_kb" 'BEGIN {
        if (s == "-") { sp = "-"; sr = "-" } else { sp = sprintf("%d", s); sr = sprintf("%.2f", s / bm) }
        printf "%-28s %8s %7s %8d %7.2f %9.1f %7.2f\n", label, sp, sr, m, m / bm, k / 1024, k / bk }'
    awk -v m="$shown" -v k="$kb" -v bm="$bare_ms" -v bk="$bare_kb" -v t="$max_time" -v mm="$max_memory" \
        -v label="$label" 'BEGIN {
        if (t != "" && m > t * bm) { print "bench: " label " shows its window later than " t " times the bare window"; exit 1 }
        if (mm != "" && k > mm * bk) { print "bench: " label " takes more than " mm " times the bare window'"'"'s memory"; exit 1 }
    }' >&2 || status=1
done
exit "$status"
