#!/bin/sh
# Installs the Debian 12 packages the game and its tests need, when missing;
# with the argument "windows", those that build it for Windows and run it
# under Wine.
set -eu
if [ "${1:-}" = windows ]; then
packages="cmake ninja-build pkg-config dpkg-dev xz-utils g++-mingw-w64-x86-64-posix mingw-w64-tools
qt6-base-dev qt6-base-private-dev libgl-dev libxcb1-dev libxcb-shape0-dev qt6-l10n-tools qt6-tools-dev libshp-dev libsimpleini-dev libopenal-dev libsndfile1-dev
nsis wine wine64 zip unzip xvfb xauth xdotool x11-utils imagemagick fonts-liberation2 python3-dbfread x11-xkb-utils ccache"
else
packages="cmake g++ make pkg-config qt6-base-dev qt6-base-private-dev libgl-dev libshp-dev libsimpleini-dev
libxcb1-dev libxcb-shape0-dev libopenal-dev libpulse-dev libsndfile1-dev fonts-liberation2 qt6-translations-l10n desktop-file-utils appstream dpkg-dev lintian
qt6-l10n-tools qt6-tools-dev
xvfb xauth x11-utils xdotool openbox imagemagick pulseaudio pulseaudio-utils at-spi2-core dbus-x11 python3-pyatspi
python3 python3-dbfread python3-dbf clang libclang-rt-14-dev ninja-build ccache"
fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Run as root (or with sudo) to install the missing packages." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $missing
fi
