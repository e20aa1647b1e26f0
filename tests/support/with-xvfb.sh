#!/bin/sh
# Runs a command against a private Xvfb server and stops the server after it.
# With --openbox first, the openbox window manager runs on the server too,
# with a home of its own, as a player's desktop would have one; the command
# then finds TORAN_TEST_WM=openbox in its environment.
set -u
wm=""
if [ "${1:-}" = "--openbox" ]; then
    wm=openbox
    shift
fi
command -v Xvfb >/dev/null 2>&1 || { echo "with-xvfb: Xvfb is not installed" >&2; exit 1; }
if [ -n "$wm" ]; then
    command -v openbox >/dev/null 2>&1 || { echo "with-xvfb: openbox is not installed" >&2; exit 1; }
fi
scratch=$(mktemp -d)
wm_pid=""
cleanup() {
    [ -n "$wm_pid" ] && { kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null; }
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    rm -rf "$scratch"
}
fifo="$scratch/displayfd"
# -noreset: the server would otherwise reset whenever its last client leaves,
# and a program connecting just then (a game started while a test's xdotool
# polls have only just ended) is refused.
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
xvfb=$!
read -r display <"$fifo"
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -n "$wm" ]; then
    mkdir -p "$scratch/wm-home" "$scratch/wm-run"
    chmod 700 "$scratch/wm-run"
    DISPLAY=":$display" HOME="$scratch/wm-home" XDG_RUNTIME_DIR="$scratch/wm-run" \
        XDG_CONFIG_HOME="$scratch/wm-home/.config" XDG_CACHE_HOME="$scratch/wm-home/.cache" \
        openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
    wm_pid=$!
    # Ready once it has announced itself on the root window.
    tries=0
    until DISPLAY=":$display" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! kill -0 "$wm_pid" 2>/dev/null; then
            echo "with-xvfb: openbox did not start" >&2
            cat "$scratch/openbox.log" >&2
            exit 1
        fi
        sleep 0.05
    done
fi

DISPLAY=":$display" QT_QPA_PLATFORM=xcb TORAN_TEST_WM="$wm" "$@"
