#!/bin/sh
# What files far larger than any the game writes cost an installed
# Toran2000 directory, under a private Xvfb:
#   normal       the empty table and small settings, as a yardstick
#   dbf-2GiB     Data/Toran.dbf: a valid empty table grown to 2 GiB (sparse)
#   dbf-17.7M    Data/Toran.dbf: its header claims 17,700,000 records, 2 GiB (sparse)
#   reclen-256M  Data/Toran.dbf: its header claims 32,000 records of 65,535
#   reclen-2G    bytes each (the fields need 121), 256 MiB and 2 GiB (sparse)
#   ini-108MB    KQ2000.ini of 108 MB
# For each, from process start to the main window's first paint or to the
# error box: wall time, CPU time and peak resident memory; then the CPU the
# game uses in 10 s of standing idle with its window open (the settings are
# read every second).
#
# Usage: bench/oversized_files.sh [DIR...]   (default: build installed)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$here/../tests/support/with-xvfb.sh" sh "$0" "$@"
fi
command -v xdotool >/dev/null || { echo "bench: xdotool is needed" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time is needed" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ $# -eq 0 ]; then
    cmake --install "$here/../build" --prefix "$scratch/build" >/dev/null
    set -- "$scratch/build"
fi
mkdir -p "$scratch/home" "$scratch/run"
chmod 700 "$scratch/run"

plant() { # app-dir case
    printf '[Nastaveni]\r\nAnimace=0\r\n' >"$1/Toran2000.ini"
    printf '[Nastaveni]\r\nPomocnik=0\r\nUvitani=0\r\n' >"$1/KQ2000.ini"
    rm -f "$1/Data/Toran.dbf" "$1/Data/Toran.lock"
    case $2 in
    dbf-2GiB | dbf-17.7M | reclen-256M | reclen-2G)
        cp "$1/Data/Zaloha/Toran.dbf" "$1/Data/Toran.dbf"
        case $2 in
        dbf-17.7M)
            # The record count, bytes 4 to 7, little-endian: 17,700,000 = 0x010E14A0.
            printf '\240\024\016\001' | dd of="$1/Data/Toran.dbf" bs=1 seek=4 conv=notrunc 2>/dev/null ;;
        reclen-*)
            # 32,000 = 0x7D00 records, bytes 4 to 7; 65,535 bytes a record, bytes 10 and 11.
            printf '\000\175\000\000' | dd of="$1/Data/Toran.dbf" bs=1 seek=4 conv=notrunc 2>/dev/null
            printf '\377\377' | dd of="$1/Data/Toran.dbf" bs=1 seek=10 conv=notrunc 2>/dev/null ;;
        esac
        size=2G
        [ "$2" = reclen-256M ] && size=256M
        truncate -s $size "$1/Data/Toran.dbf" ;;
    ini-108MB)
        { printf '[Nastaveni]\r\nPomocnik=0\r\nUvitani=0\r\n[Vypln]\r\n'
          yes 'Klic=hodnota hodnota hodnota hodnota hodnota hodnota hodnota hodnota' | head -c 108000000
        } >"$1/KQ2000.ini" ;;
    esac
}

# Whether the process shows a dialog window (the error box).
error_box_up() { # pid
    for window in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        xprop -id "$window" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && return 0
    done
    return 1
}

# Runs the program until its main window is painted (it then quits by
# itself) or an error box stands open (it is then ended); prints
# "outcome wall-s cpu-s peak-MiB".
start() { # program
    out="$scratch/out" times="$scratch/time"
    began=$(date +%s%3N)
    HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" TORAN2000_QUIT_WHEN_SHOWN=1 \
        /usr/bin/time -v "$1" >"$out" 2>"$times" &
    timer=$!
    outcome=shown ended=""
    while kill -0 "$timer" 2>/dev/null; do
        game=$(pgrep -P "$timer" | head -n 1)
        if [ -n "$game" ] && error_box_up "$game"; then
            ended=$(date +%s%3N)
            [ -n "${KEEP_SHOT:-}" ] && import -window root "$KEEP_SHOT"
            outcome=refused
            kill "$game"
            break
        fi
        sleep 0.1
    done
    wait "$timer" || true
    [ "$outcome" = shown ] && ended=$(awk '$1 == "shown" { print $2 }' "$out")
    awk -v outcome="$outcome" -v wall="$(( ${ended:-$began} - began ))" '
        /User time/ { cpu += $NF } /System time/ { cpu += $NF }
        /Maximum resident/ { kb = $NF }
        END { printf "%s %.2f %.2f %.0f\n", outcome, wall / 1000, cpu, kb / 1024 }' "$times"
}

# CPU seconds used in 10 s of standing idle after the window is up.
idle() { # program
    HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" "$1" >/dev/null 2>&1 &
    game=$!
    tries=0
    until xdotool search --onlyvisible --pid "$game" --name '^Toranská věž 2000$' >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ $tries -gt 600 ] && break
        sleep 0.1
    done
    sleep 1
    before=$(awk '{ print $14 + $15 }' "/proc/$game/stat")
    sleep 10
    after=$(awk '{ print $14 + $15 }' "/proc/$game/stat")
    kill "$game"
    wait "$game" 2>/dev/null || true
    echo "$after $before" | awk -v hz="$(getconf CLK_TCK)" '{ printf "%.2f\n", ($1 - $2) / hz }'
}

printf '%-40s %-10s %-8s %8s %8s %9s %10s\n' directory case outcome wall-s cpu-s peak-MiB idle-cpu-s
for dir in "$@"; do
    [ -x "$dir/Toran2000" ] || { echo "bench: no Toran2000 in $dir" >&2; exit 1; }
    rm -rf "$scratch/app"
    cp -r "$dir" "$scratch/app"
    for case in ${CASES:-normal dbf-2GiB dbf-17.7M reclen-256M reclen-2G ini-108MB}; do
        plant "$scratch/app" "$case"
        result=$(start "$scratch/app/Toran2000")
        idle_cpu=-
        [ "${result%% *}" = shown ] && idle_cpu=$(idle "$scratch/app/Toran2000")
        set -- $result
        printf '%-40s %-10s %-8s %8s %8s %9s %10s\n' "$dir" "$case" "$1" "$2" "$3" "$4" "$idle_cpu"
    done
done
