#!/bin/sh
# Runs a command against a private Xvfb server and stops the server after it.
set -u
command -v Xvfb >/dev/null 2>&1 || { echo "with-xvfb: Xvfb is not installed" >&2; exit 1; }
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
xvfb=$!
read -r display <"$fifo"
rm -f "$fifo"
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null' EXIT INT TERM
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$@"
